// IMsgStore over the host's store: OpenEntry finds messages by their entry
// identifiers; the store's own properties and named properties as on a message.
#pragma once

#include <memory>

#include "com_object.h"
#include "store_state.h"
#include "winapi.h"

namespace simhost {

class MsgStore final : public IMsgStore, private ComCount {
 public:
  // A new store object, reference count 1.
  static IMsgStore* Create(std::shared_ptr<StoreState> state);

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;

  STDMETHOD(GetLastError)(HRESULT hResult, ULONG ulFlags, LPMAPIERROR* lppMAPIError) override;
  STDMETHOD(SaveChanges)(ULONG ulFlags) override;
  STDMETHOD(GetProps)(LPSPropTagArray lpPropTagArray, ULONG ulFlags, ULONG* lpcValues,
                      LPSPropValue* lppPropArray) override;
  STDMETHOD(GetPropList)(ULONG ulFlags, LPSPropTagArray* lppPropTagArray) override;
  STDMETHOD(OpenProperty)(ULONG ulPropTag, LPCIID lpiid, ULONG ulInterfaceOptions, ULONG ulFlags,
                          LPUNKNOWN* lppUnk) override;
  STDMETHOD(SetProps)(ULONG cValues, LPSPropValue lpPropArray,
                      LPSPropProblemArray* lppProblems) override;
  STDMETHOD(DeleteProps)(LPSPropTagArray lpPropTagArray,
                         LPSPropProblemArray* lppProblems) override;
  STDMETHOD(CopyTo)(ULONG ciidExclude, LPCIID rgiidExclude, LPSPropTagArray lpExcludeProps,
                    ULONG_PTR ulUIParam, LPMAPIPROGRESS lpProgress, LPCIID lpInterface,
                    LPVOID lpDestObj, ULONG ulFlags, LPSPropProblemArray* lppProblems) override;
  STDMETHOD(CopyProps)(LPSPropTagArray lpIncludeProps, ULONG_PTR ulUIParam,
                       LPMAPIPROGRESS lpProgress, LPCIID lpInterface, LPVOID lpDestObj,
                       ULONG ulFlags, LPSPropProblemArray* lppProblems) override;
  STDMETHOD(GetNamesFromIDs)(LPSPropTagArray* lppPropTags, LPGUID lpPropSetGuid, ULONG ulFlags,
                             ULONG* lpcPropNames, LPMAPINAMEID** lpppPropNames) override;
  STDMETHOD(GetIDsFromNames)(ULONG cPropNames, LPMAPINAMEID* lppPropNames, ULONG ulFlags,
                             LPSPropTagArray* lppPropTags) override;

  STDMETHOD(Advise)(ULONG cbEntryID, LPENTRYID lpEntryID, ULONG ulEventMask,
                    LPMAPIADVISESINK lpAdviseSink, ULONG* lpulConnection) override;
  STDMETHOD(Unadvise)(ULONG ulConnection) override;
  STDMETHOD(CompareEntryIDs)(ULONG cbEntryID1, LPENTRYID lpEntryID1, ULONG cbEntryID2,
                             LPENTRYID lpEntryID2, ULONG ulFlags, ULONG* lpulResult) override;
  STDMETHOD(OpenEntry)(ULONG cbEntryID, LPENTRYID lpEntryID, LPCIID lpInterface, ULONG ulFlags,
                       ULONG* lpulObjType, LPUNKNOWN* lppUnk) override;
  STDMETHOD(SetReceiveFolder)(LPSTR lpszMessageClass, ULONG ulFlags, ULONG cbEntryID,
                              LPENTRYID lpEntryID) override;
  STDMETHOD(GetReceiveFolder)(LPSTR lpszMessageClass, ULONG ulFlags, ULONG* lpcbEntryID,
                              LPENTRYID* lppEntryID, LPSTR* lppszExplicitClass) override;
  STDMETHOD(GetReceiveFolderTable)(ULONG ulFlags, LPMAPITABLE* lppTable) override;
  STDMETHOD(StoreLogoff)(ULONG* lpulFlags) override;
  STDMETHOD(AbortSubmit)(ULONG cbEntryID, LPENTRYID lpEntryID, ULONG ulFlags) override;
  STDMETHOD(GetOutgoingQueue)(ULONG ulFlags, LPMAPITABLE* lppTable) override;
  STDMETHOD(SetLockState)(LPMESSAGE lpMessage, ULONG ulLockState) override;
  STDMETHOD(FinishedMsg)(ULONG ulFlags, ULONG cbEntryID, LPENTRYID lpEntryID) override;
  STDMETHOD(NotifyNewMail)(LPNOTIFICATION lpNotification) override;

 protected:
  ~MsgStore() override = default;

 private:
  explicit MsgStore(std::shared_ptr<StoreState> state);

  std::shared_ptr<StoreState> state_;
};

}  // namespace simhost
