#include "mapi_message.h"

#include "property_access.h"

namespace simhost {

IMessage* Message::Create(std::shared_ptr<StoredMessage> message,
                          std::shared_ptr<NamedProperties> names) {
  return new Message(std::move(message), std::move(names));
}

Message::Message(std::shared_ptr<StoredMessage> message, std::shared_ptr<NamedProperties> names)
    : message_(std::move(message)), names_(std::move(names)) {}

STDMETHODIMP Message::QueryInterface(REFIID riid, void** ppv) {
  static const IID* const kInterfaces[] = {&IID_IUnknown, &IID_IMAPIProp, &IID_IMessage};
  return QueryTable(static_cast<IMessage*>(this), kInterfaces, riid, ppv);
}

STDMETHODIMP_(ULONG) Message::AddRef() { return AddRefCount(); }

STDMETHODIMP_(ULONG) Message::Release() { return ReleaseCount(); }

STDMETHODIMP Message::GetLastError(HRESULT, ULONG, LPMAPIERROR* lppMAPIError) {
  if (lppMAPIError) *lppMAPIError = nullptr;
  return Unsupported("IMessage::GetLastError");
}

// Changes reach the store as they are made, so there is nothing left to save.
STDMETHODIMP Message::SaveChanges(ULONG ulFlags) {
  if (ulFlags & ~(KEEP_OPEN_READONLY | KEEP_OPEN_READWRITE | FORCE_SAVE)) {
    return MAPI_E_UNKNOWN_FLAGS;
  }
  return S_OK;
}

STDMETHODIMP Message::GetProps(LPSPropTagArray lpPropTagArray, ULONG ulFlags, ULONG* lpcValues,
                               LPSPropValue* lppPropArray) {
  return GetPropsFromBag(message_->Props(), lpPropTagArray, ulFlags, lpcValues, lppPropArray);
}

STDMETHODIMP Message::GetPropList(ULONG ulFlags, LPSPropTagArray* lppPropTagArray) {
  return GetPropListFromBag(message_->Props(), ulFlags, lppPropTagArray);
}

STDMETHODIMP Message::OpenProperty(ULONG ulPropTag, LPCIID lpiid, ULONG ulInterfaceOptions,
                                   ULONG ulFlags, LPUNKNOWN* lppUnk) {
  return OpenPropertyStream(message_->Props(), ulPropTag, lpiid, ulInterfaceOptions, ulFlags,
                            lppUnk);
}

STDMETHODIMP Message::SetProps(ULONG cValues, LPSPropValue lpPropArray,
                               LPSPropProblemArray* lppProblems) {
  return SetPropsInBag(message_->Props(), cValues, lpPropArray, lppProblems);
}

STDMETHODIMP Message::DeleteProps(LPSPropTagArray lpPropTagArray,
                                  LPSPropProblemArray* lppProblems) {
  return DeletePropsFromBag(message_->Props(), lpPropTagArray, lppProblems);
}

STDMETHODIMP Message::CopyTo(ULONG, LPCIID, LPSPropTagArray, ULONG_PTR, LPMAPIPROGRESS, LPCIID,
                             LPVOID, ULONG, LPSPropProblemArray* lppProblems) {
  if (lppProblems) *lppProblems = nullptr;
  return Unsupported("IMessage::CopyTo");
}

STDMETHODIMP Message::CopyProps(LPSPropTagArray, ULONG_PTR, LPMAPIPROGRESS, LPCIID, LPVOID, ULONG,
                                LPSPropProblemArray* lppProblems) {
  if (lppProblems) *lppProblems = nullptr;
  return Unsupported("IMessage::CopyProps");
}

STDMETHODIMP Message::GetNamesFromIDs(LPSPropTagArray*, LPGUID, ULONG, ULONG* lpcPropNames,
                                      LPMAPINAMEID** lpppPropNames) {
  if (lpcPropNames) *lpcPropNames = 0;
  if (lpppPropNames) *lpppPropNames = nullptr;
  return Unsupported("IMessage::GetNamesFromIDs");
}

STDMETHODIMP Message::GetIDsFromNames(ULONG cPropNames, LPMAPINAMEID* lppPropNames, ULONG ulFlags,
                                      LPSPropTagArray* lppPropTags) {
  return IdsFromNames(*names_, cPropNames, lppPropNames, ulFlags, lppPropTags);
}

STDMETHODIMP Message::GetAttachmentTable(ULONG, LPMAPITABLE* lppTable) {
  if (lppTable) *lppTable = nullptr;
  return Unsupported("IMessage::GetAttachmentTable");
}

STDMETHODIMP Message::OpenAttach(ULONG, LPCIID, ULONG, LPATTACH* lppAttach) {
  if (lppAttach) *lppAttach = nullptr;
  return Unsupported("IMessage::OpenAttach");
}

STDMETHODIMP Message::CreateAttach(LPCIID, ULONG, ULONG*, LPATTACH* lppAttach) {
  if (lppAttach) *lppAttach = nullptr;
  return Unsupported("IMessage::CreateAttach");
}

STDMETHODIMP Message::DeleteAttach(ULONG, ULONG_PTR, LPMAPIPROGRESS, ULONG) {
  return Unsupported("IMessage::DeleteAttach");
}

STDMETHODIMP Message::GetRecipientTable(ULONG, LPMAPITABLE* lppTable) {
  if (lppTable) *lppTable = nullptr;
  return Unsupported("IMessage::GetRecipientTable");
}

STDMETHODIMP Message::ModifyRecipients(ULONG, LPADRLIST) {
  return Unsupported("IMessage::ModifyRecipients");
}

STDMETHODIMP Message::SubmitMessage(ULONG) { return Unsupported("IMessage::SubmitMessage"); }

STDMETHODIMP Message::SetReadFlag(ULONG ulFlags) {
  if (ulFlags & ~(SUPPRESS_RECEIPT | CLEAR_READ_FLAG)) return MAPI_E_UNKNOWN_FLAGS;
  PropertyBag& props = message_->Props();
  const LONG flags = props.Long(PR_MESSAGE_FLAGS).value_or(0);
  props.SetLong(PR_MESSAGE_FLAGS, (ulFlags & CLEAR_READ_FLAG) ? (flags & ~MSGFLAG_READ)
                                                              : (flags | MSGFLAG_READ));
  return S_OK;
}

}  // namespace simhost
