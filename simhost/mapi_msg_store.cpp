#include "mapi_msg_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "mapi_message.h"
#include "property_access.h"

namespace simhost {

IMsgStore* MsgStore::Create(std::shared_ptr<StoreState> state) {
  return new MsgStore(std::move(state));
}

MsgStore::MsgStore(std::shared_ptr<StoreState> state) : state_(std::move(state)) {}

STDMETHODIMP MsgStore::QueryInterface(REFIID riid, void** ppv) {
  static const IID* const kInterfaces[] = {&IID_IUnknown, &IID_IMAPIProp, &IID_IMsgStore};
  return QueryTable(static_cast<IMsgStore*>(this), kInterfaces, riid, ppv);
}

STDMETHODIMP_(ULONG) MsgStore::AddRef() { return AddRefCount(); }

STDMETHODIMP_(ULONG) MsgStore::Release() { return ReleaseCount(); }

STDMETHODIMP MsgStore::GetLastError(HRESULT, ULONG, LPMAPIERROR* lppMAPIError) {
  if (lppMAPIError) *lppMAPIError = nullptr;
  return Unsupported("IMsgStore::GetLastError");
}

// Changes reach the store as they are made, so there is nothing left to save.
STDMETHODIMP MsgStore::SaveChanges(ULONG ulFlags) {
  if (ulFlags & ~(KEEP_OPEN_READONLY | KEEP_OPEN_READWRITE | FORCE_SAVE)) {
    return MAPI_E_UNKNOWN_FLAGS;
  }
  return S_OK;
}

STDMETHODIMP MsgStore::GetProps(LPSPropTagArray lpPropTagArray, ULONG ulFlags, ULONG* lpcValues,
                                LPSPropValue* lppPropArray) {
  return GetPropsFromBag(state_->storeProps, lpPropTagArray, ulFlags, lpcValues, lppPropArray);
}

STDMETHODIMP MsgStore::GetPropList(ULONG ulFlags, LPSPropTagArray* lppPropTagArray) {
  return GetPropListFromBag(state_->storeProps, ulFlags, lppPropTagArray);
}

STDMETHODIMP MsgStore::OpenProperty(ULONG ulPropTag, LPCIID lpiid, ULONG ulInterfaceOptions,
                                    ULONG ulFlags, LPUNKNOWN* lppUnk) {
  return OpenPropertyStream(state_->storeProps, ulPropTag, lpiid, ulInterfaceOptions, ulFlags,
                            lppUnk);
}

STDMETHODIMP MsgStore::SetProps(ULONG cValues, LPSPropValue lpPropArray,
                                LPSPropProblemArray* lppProblems) {
  return SetPropsInBag(state_->storeProps, cValues, lpPropArray, lppProblems);
}

STDMETHODIMP MsgStore::DeleteProps(LPSPropTagArray lpPropTagArray,
                                   LPSPropProblemArray* lppProblems) {
  return DeletePropsFromBag(state_->storeProps, lpPropTagArray, lppProblems);
}

STDMETHODIMP MsgStore::CopyTo(ULONG, LPCIID, LPSPropTagArray, ULONG_PTR, LPMAPIPROGRESS, LPCIID,
                              LPVOID, ULONG, LPSPropProblemArray* lppProblems) {
  if (lppProblems) *lppProblems = nullptr;
  return Unsupported("IMsgStore::CopyTo");
}

STDMETHODIMP MsgStore::CopyProps(LPSPropTagArray, ULONG_PTR, LPMAPIPROGRESS, LPCIID, LPVOID,
                                 ULONG, LPSPropProblemArray* lppProblems) {
  if (lppProblems) *lppProblems = nullptr;
  return Unsupported("IMsgStore::CopyProps");
}

STDMETHODIMP MsgStore::GetNamesFromIDs(LPSPropTagArray*, LPGUID, ULONG, ULONG* lpcPropNames,
                                       LPMAPINAMEID** lpppPropNames) {
  if (lpcPropNames) *lpcPropNames = 0;
  if (lpppPropNames) *lpppPropNames = nullptr;
  return Unsupported("IMsgStore::GetNamesFromIDs");
}

STDMETHODIMP MsgStore::GetIDsFromNames(ULONG cPropNames, LPMAPINAMEID* lppPropNames,
                                       ULONG ulFlags, LPSPropTagArray* lppPropTags) {
  return IdsFromNames(*state_->names, cPropNames, lppPropNames, ulFlags, lppPropTags);
}

STDMETHODIMP MsgStore::Advise(ULONG, LPENTRYID, ULONG, LPMAPIADVISESINK, ULONG* lpulConnection) {
  if (lpulConnection) *lpulConnection = 0;
  return Unsupported("IMsgStore::Advise");
}

STDMETHODIMP MsgStore::Unadvise(ULONG) { return Unsupported("IMsgStore::Unadvise"); }

STDMETHODIMP MsgStore::CompareEntryIDs(ULONG cbEntryID1, LPENTRYID lpEntryID1, ULONG cbEntryID2,
                                       LPENTRYID lpEntryID2, ULONG ulFlags, ULONG* lpulResult) {
  if (!lpulResult || (cbEntryID1 && !lpEntryID1) || (cbEntryID2 && !lpEntryID2)) {
    return MAPI_E_INVALID_PARAMETER;
  }
  if (ulFlags) return MAPI_E_UNKNOWN_FLAGS;
  *lpulResult = cbEntryID1 == cbEntryID2 &&
                (cbEntryID1 == 0 || std::memcmp(lpEntryID1, lpEntryID2, cbEntryID1) == 0);
  return S_OK;
}

STDMETHODIMP MsgStore::OpenEntry(ULONG cbEntryID, LPENTRYID lpEntryID, LPCIID lpInterface,
                                 ULONG ulFlags, ULONG* lpulObjType, LPUNKNOWN* lppUnk) {
  if (!lpulObjType || !lppUnk || (cbEntryID && !lpEntryID)) return MAPI_E_INVALID_PARAMETER;
  *lppUnk = nullptr;
  if (ulFlags & ~(MAPI_MODIFY | MAPI_DEFERRED_ERRORS | MAPI_BEST_ACCESS)) {
    return MAPI_E_UNKNOWN_FLAGS;
  }
  if (cbEntryID == 0) return Unsupported("IMsgStore::OpenEntry of the root folder");
  const std::string bytes(reinterpret_cast<const char*>(lpEntryID), cbEntryID);
  if (std::find(state_->folderEntryIds.begin(), state_->folderEntryIds.end(), bytes) !=
      state_->folderEntryIds.end()) {
    return Unsupported("IMsgStore::OpenEntry of a folder");
  }
  std::shared_ptr<StoredMessage> message = state_->FindShared(lpEntryID, cbEntryID);
  if (!message) return MAPI_E_NOT_FOUND;
  if (lpInterface && !IsEqualIID(*lpInterface, IID_IMessage) &&
      !IsEqualIID(*lpInterface, IID_IMAPIProp) && !IsEqualIID(*lpInterface, IID_IUnknown)) {
    return MAPI_E_INTERFACE_NOT_SUPPORTED;
  }
  *lpulObjType = MAPI_MESSAGE;
  *lppUnk = Message::Create(std::move(message), state_->names);
  return S_OK;
}

STDMETHODIMP MsgStore::SetReceiveFolder(LPSTR, ULONG, ULONG, LPENTRYID) {
  return Unsupported("IMsgStore::SetReceiveFolder");
}

STDMETHODIMP MsgStore::GetReceiveFolder(LPSTR, ULONG, ULONG* lpcbEntryID, LPENTRYID* lppEntryID,
                                        LPSTR* lppszExplicitClass) {
  if (lpcbEntryID) *lpcbEntryID = 0;
  if (lppEntryID) *lppEntryID = nullptr;
  if (lppszExplicitClass) *lppszExplicitClass = nullptr;
  return Unsupported("IMsgStore::GetReceiveFolder");
}

STDMETHODIMP MsgStore::GetReceiveFolderTable(ULONG, LPMAPITABLE* lppTable) {
  if (lppTable) *lppTable = nullptr;
  return Unsupported("IMsgStore::GetReceiveFolderTable");
}

STDMETHODIMP MsgStore::StoreLogoff(ULONG*) { return Unsupported("IMsgStore::StoreLogoff"); }

STDMETHODIMP MsgStore::AbortSubmit(ULONG, LPENTRYID, ULONG) {
  return Unsupported("IMsgStore::AbortSubmit");
}

STDMETHODIMP MsgStore::GetOutgoingQueue(ULONG, LPMAPITABLE* lppTable) {
  if (lppTable) *lppTable = nullptr;
  return Unsupported("IMsgStore::GetOutgoingQueue");
}

STDMETHODIMP MsgStore::SetLockState(LPMESSAGE, ULONG) {
  return Unsupported("IMsgStore::SetLockState");
}

STDMETHODIMP MsgStore::FinishedMsg(ULONG, ULONG, LPENTRYID) {
  return Unsupported("IMsgStore::FinishedMsg");
}

STDMETHODIMP MsgStore::NotifyNewMail(LPNOTIFICATION) {
  return Unsupported("IMsgStore::NotifyNewMail");
}

}  // namespace simhost
