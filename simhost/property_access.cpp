#include "property_access.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "com_object.h"
#include "mapi_stream.h"

namespace simhost {

namespace {

HRESULT Refuse(const char* method, const char* why, HRESULT hr) {
  std::fprintf(stderr, "simhost store: %s: %s (error 0x%08lX)\n", method, why,
               static_cast<unsigned long>(static_cast<ULONG>(hr)));
  return hr;
}

// Copies a stored value into a MAPI value, its bytes allocated onto `block`.
HRESULT FillValue(const PropValue& stored, ULONG id, void* block, SPropValue* out) {
  out->ulPropTag = PROP_TAG(stored.type, id);
  switch (stored.type) {
    case PT_LONG:
      out->Value.l = stored.number;
      return S_OK;
    case PT_BOOLEAN:
      out->Value.b = static_cast<unsigned short>(stored.number);
      return S_OK;
    case PT_STRING8: {
      void* text = nullptr;
      const HRESULT hr =
          MAPIAllocateMore(static_cast<ULONG>(stored.bytes.size() + 1), block, &text);
      if (FAILED(hr)) return hr;
      std::memcpy(text, stored.bytes.c_str(), stored.bytes.size() + 1);
      out->Value.lpszA = static_cast<LPSTR>(text);
      return S_OK;
    }
    case PT_BINARY: {
      void* bytes = nullptr;
      const HRESULT hr = MAPIAllocateMore(static_cast<ULONG>(stored.bytes.size()), block, &bytes);
      if (FAILED(hr)) return hr;
      if (!stored.bytes.empty()) std::memcpy(bytes, stored.bytes.data(), stored.bytes.size());
      out->Value.bin.cb = static_cast<ULONG>(stored.bytes.size());
      out->Value.bin.lpb = static_cast<LPBYTE>(bytes);
      return S_OK;
    }
  }
  return Refuse("GetProps", "a stored value has a type the store does not hold", E_UNEXPECTED);
}

void SetError(ULONG id, SCODE scode, SPropValue* out) {
  out->ulPropTag = PROP_TAG(PT_ERROR, id);
  out->Value.err = scode;
}

// A problem array in MAPI memory, or none when nothing went wrong.
HRESULT ReturnProblems(const std::vector<SPropProblem>& problems,
                       LPSPropProblemArray* lppProblems) {
  if (!lppProblems) return S_OK;
  *lppProblems = nullptr;
  if (problems.empty()) return S_OK;
  const size_t cb =
      offsetof(SPropProblemArray, aProblem) + problems.size() * sizeof(SPropProblem);
  void* block = nullptr;
  const HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(cb), &block);
  if (FAILED(hr)) return hr;
  auto* array = static_cast<LPSPropProblemArray>(block);
  array->cProblem = static_cast<ULONG>(problems.size());
  std::memcpy(array->aProblem, problems.data(), problems.size() * sizeof(SPropProblem));
  *lppProblems = array;
  return S_OK;
}

HRESULT NewTagArray(const std::vector<ULONG>& tags, LPSPropTagArray* out) {
  void* block = nullptr;
  const HRESULT hr =
      MAPIAllocateBuffer(static_cast<ULONG>(CbNewSPropTagArray(tags.size())), &block);
  if (FAILED(hr)) return hr;
  auto* array = static_cast<LPSPropTagArray>(block);
  array->cValues = static_cast<ULONG>(tags.size());
  if (!tags.empty()) std::memcpy(array->aulPropTag, tags.data(), tags.size() * sizeof(ULONG));
  *out = array;
  return S_OK;
}

}  // namespace

HRESULT GetPropsFromBag(const PropertyBag& bag, LPSPropTagArray lpPropTagArray, ULONG ulFlags,
                        ULONG* lpcValues, LPSPropValue* lppPropArray) {
  if (!lpcValues || !lppPropArray) return MAPI_E_INVALID_PARAMETER;
  *lpcValues = 0;
  *lppPropArray = nullptr;
  if (ulFlags & MAPI_UNICODE) {
    return Refuse("GetProps", "the store holds 8-bit strings only", MAPI_E_BAD_CHARWIDTH);
  }
  if (ulFlags) return MAPI_E_UNKNOWN_FLAGS;
  if (lpPropTagArray && lpPropTagArray->cValues == 0) return MAPI_E_INVALID_PARAMETER;

  // No tag array asks for every property the object has.
  const std::vector<ULONG> tags =
      lpPropTagArray ? std::vector<ULONG>(lpPropTagArray->aulPropTag,
                                          lpPropTagArray->aulPropTag + lpPropTagArray->cValues)
                     : bag.Tags();
  void* block = nullptr;
  HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(tags.size() * sizeof(SPropValue)), &block);
  if (FAILED(hr)) return hr;
  auto* values = static_cast<LPSPropValue>(block);
  std::memset(values, 0, tags.size() * sizeof(SPropValue));

  bool warned = false;
  for (size_t i = 0; i < tags.size() && SUCCEEDED(hr); ++i) {
    const ULONG tag = tags[i];
    const ULONG id = PROP_ID(tag);
    const ULONG type = PROP_TYPE(tag);
    const PropValue* stored = bag.Find(tag);
    if (stored && (type == PT_UNSPECIFIED || type == stored->type)) {
      hr = FillValue(*stored, id, block, &values[i]);
    } else if (stored && type == PT_UNICODE && stored->type == PT_STRING8) {
      Refuse("GetProps", "an 8-bit string asked for as Unicode", MAPI_E_NO_SUPPORT);
      SetError(id, MAPI_E_NO_SUPPORT, &values[i]);
      warned = true;
    } else {
      // Absent, or held as another type: the store has no such property.
      SetError(id, MAPI_E_NOT_FOUND, &values[i]);
      warned = true;
    }
  }
  if (FAILED(hr)) {
    MAPIFreeBuffer(block);
    return hr;
  }
  *lpcValues = static_cast<ULONG>(tags.size());
  *lppPropArray = values;
  return warned ? MAPI_W_ERRORS_RETURNED : S_OK;
}

HRESULT GetPropListFromBag(const PropertyBag& bag, ULONG ulFlags,
                           LPSPropTagArray* lppPropTagArray) {
  if (!lppPropTagArray) return MAPI_E_INVALID_PARAMETER;
  *lppPropTagArray = nullptr;
  if (ulFlags & MAPI_UNICODE) {
    return Refuse("GetPropList", "the store holds 8-bit strings only", MAPI_E_BAD_CHARWIDTH);
  }
  if (ulFlags) return MAPI_E_UNKNOWN_FLAGS;
  return NewTagArray(bag.Tags(), lppPropTagArray);
}

HRESULT SetPropsInBag(PropertyBag& bag, ULONG cValues, LPSPropValue lpPropArray,
                      LPSPropProblemArray* lppProblems) {
  if (lppProblems) *lppProblems = nullptr;
  if (cValues == 0 || !lpPropArray) return MAPI_E_INVALID_PARAMETER;
  // Checked whole first, so that a refused call changes nothing.
  for (ULONG i = 0; i < cValues; ++i) {
    const SPropValue& value = lpPropArray[i];
    switch (PROP_TYPE(value.ulPropTag)) {
      case PT_ERROR:  // MAPI skips error values in SetProps
      case PT_LONG:
      case PT_BOOLEAN:
        break;
      case PT_STRING8:
        if (!value.Value.lpszA) return MAPI_E_INVALID_PARAMETER;
        break;
      case PT_BINARY:
        if (value.Value.bin.cb && !value.Value.bin.lpb) return MAPI_E_INVALID_PARAMETER;
        break;
      case PT_UNSPECIFIED:
        return MAPI_E_INVALID_PARAMETER;
      default:
        return Refuse("SetProps", "the store holds long, boolean, 8-bit string and binary values",
                      MAPI_E_NO_SUPPORT);
    }
  }
  std::vector<SPropProblem> problems;
  for (ULONG i = 0; i < cValues; ++i) {
    const SPropValue& value = lpPropArray[i];
    const ULONG tag = value.ulPropTag;
    if (PROP_TYPE(tag) == PT_ERROR) continue;
    if (PROP_ID(tag) == PROP_ID(PR_ENTRYID)) {
      problems.push_back(SPropProblem{i, tag, MAPI_E_COMPUTED});
      continue;
    }
    switch (PROP_TYPE(tag)) {
      case PT_LONG: bag.SetLong(tag, value.Value.l); break;
      case PT_BOOLEAN: bag.SetBoolean(tag, value.Value.b != 0); break;
      case PT_STRING8: bag.SetString(tag, value.Value.lpszA); break;
      case PT_BINARY:
        bag.SetBinary(tag, std::string(reinterpret_cast<const char*>(value.Value.bin.lpb),
                                       value.Value.bin.cb));
        break;
    }
  }
  return ReturnProblems(problems, lppProblems);
}

HRESULT DeletePropsFromBag(PropertyBag& bag, LPSPropTagArray lpPropTagArray,
                           LPSPropProblemArray* lppProblems) {
  if (lppProblems) *lppProblems = nullptr;
  if (!lpPropTagArray || lpPropTagArray->cValues == 0) return MAPI_E_INVALID_PARAMETER;
  std::vector<SPropProblem> problems;
  for (ULONG i = 0; i < lpPropTagArray->cValues; ++i) {
    const ULONG tag = lpPropTagArray->aulPropTag[i];
    if (PROP_ID(tag) == PROP_ID(PR_ENTRYID)) {
      problems.push_back(SPropProblem{i, tag, MAPI_E_COMPUTED});
      continue;
    }
    // Deleting what is not there is no problem in MAPI.
    bag.Erase(tag);
  }
  return ReturnProblems(problems, lppProblems);
}

HRESULT OpenPropertyStream(const PropertyBag& bag, ULONG ulPropTag, LPCIID lpiid,
                           ULONG ulInterfaceOptions, ULONG ulFlags, LPUNKNOWN* lppUnk) {
  if (!lppUnk || !lpiid) return MAPI_E_INVALID_PARAMETER;
  *lppUnk = nullptr;
  if (ulFlags & (MAPI_MODIFY | MAPI_CREATE)) {
    return Refuse("OpenProperty", "properties open for reading only", MAPI_E_NO_SUPPORT);
  }
  if (ulFlags & ~MAPI_DEFERRED_ERRORS) return MAPI_E_UNKNOWN_FLAGS;
  if (ulInterfaceOptions & (STGM_WRITE | STGM_READWRITE)) {
    return Refuse("OpenProperty", "property streams are read-only", MAPI_E_NO_SUPPORT);
  }
  if (!IsEqualIID(*lpiid, IID_IStream)) return MAPI_E_INTERFACE_NOT_SUPPORTED;
  const ULONG type = PROP_TYPE(ulPropTag);
  if (type != PT_STRING8 && type != PT_BINARY) {
    if (type == PT_UNICODE) {
      return Refuse("OpenProperty", "the store holds 8-bit strings only", MAPI_E_NO_SUPPORT);
    }
    // Numbers and the like have no stream form.
    return type == PT_UNSPECIFIED ? MAPI_E_INVALID_PARAMETER : MAPI_E_INTERFACE_NOT_SUPPORTED;
  }
  const PropValue* stored = bag.Find(ulPropTag);
  if (!stored || stored->type != type) return MAPI_E_NOT_FOUND;
  // The stream holds the text's characters, without a terminator.
  *lppUnk = MemoryStream::Create(stored->bytes, false);
  return S_OK;
}

HRESULT IdsFromNames(NamedProperties& names, ULONG cPropNames, LPMAPINAMEID* lppPropNames,
                     ULONG ulFlags, LPSPropTagArray* lppPropTags) {
  if (!lppPropTags) return MAPI_E_INVALID_PARAMETER;
  *lppPropTags = nullptr;
  if (ulFlags & ~MAPI_CREATE) return MAPI_E_UNKNOWN_FLAGS;
  if (cPropNames == 0 || !lppPropNames) {
    return Refuse("GetIDsFromNames", "listing every named property is not offered",
                  MAPI_E_NO_SUPPORT);
  }
  for (ULONG i = 0; i < cPropNames; ++i) {
    const MAPINAMEID* name = lppPropNames[i];
    if (!name || !name->lpguid) return MAPI_E_INVALID_PARAMETER;
    if (name->ulKind != MNID_ID && name->ulKind != MNID_STRING) return MAPI_E_INVALID_PARAMETER;
    if (name->ulKind == MNID_STRING && !name->Kind.lpwstrName) return MAPI_E_INVALID_PARAMETER;
  }
  const bool create = (ulFlags & MAPI_CREATE) != 0;
  std::vector<ULONG> tags;
  bool warned = false;
  for (ULONG i = 0; i < cPropNames; ++i) {
    const MAPINAMEID& name = *lppPropNames[i];
    const ULONG id = name.ulKind == MNID_ID
                         ? names.IdOf(*name.lpguid, name.Kind.lID, create)
                         : names.IdOf(*name.lpguid, std::u16string(name.Kind.lpwstrName), create);
    if (id) {
      tags.push_back(PROP_TAG(PT_UNSPECIFIED, id));
    } else {
      tags.push_back(PROP_TAG(PT_ERROR, PROP_ID_NULL));
      warned = true;
    }
  }
  const HRESULT hr = NewTagArray(tags, lppPropTags);
  if (FAILED(hr)) return hr;
  return warned ? MAPI_W_ERRORS_RETURNED : S_OK;
}

}  // namespace simhost
