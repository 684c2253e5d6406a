// IMAPIProp's work over a property bag, as free functions that the host's
// message and store objects share. Each follows MAPI's rules for its method:
// results are MAPI memory the caller frees with MAPIFreeBuffer, an absent
// property is a PT_ERROR value and a warning, and what the store cannot do is
// said on stderr and returned as MAPI_E_NO_SUPPORT.
#pragma once

#include "property_bag.h"
#include "winapi.h"

namespace simhost {

HRESULT GetPropsFromBag(const PropertyBag& bag, LPSPropTagArray lpPropTagArray, ULONG ulFlags,
                        ULONG* lpcValues, LPSPropValue* lppPropArray);
HRESULT GetPropListFromBag(const PropertyBag& bag, ULONG ulFlags,
                           LPSPropTagArray* lppPropTagArray);
// PR_ENTRYID belongs to the store: setting or deleting it is reported as a
// MAPI_E_COMPUTED problem and changes nothing.
HRESULT SetPropsInBag(PropertyBag& bag, ULONG cValues, LPSPropValue lpPropArray,
                      LPSPropProblemArray* lppProblems);
HRESULT DeletePropsFromBag(PropertyBag& bag, LPSPropTagArray lpPropTagArray,
                           LPSPropProblemArray* lppProblems);
HRESULT OpenPropertyStream(const PropertyBag& bag, ULONG ulPropTag, LPCIID lpiid,
                           ULONG ulInterfaceOptions, ULONG ulFlags, LPUNKNOWN* lppUnk);
HRESULT IdsFromNames(NamedProperties& names, ULONG cPropNames, LPMAPINAMEID* lppPropNames,
                     ULONG ulFlags, LPSPropTagArray* lppPropTags);

}  // namespace simhost
