#include "host_callback.h"

#include <cstdio>

namespace simhost {

namespace {

// GetVersion's flags: which version is asked for.
constexpr ULONG kBuildVersion = 0x1;    // major in the high word, build in the low word
constexpr ULONG kActualVersion = 0x2;   // major, minor and update in bytes 2, 1 and 0
constexpr ULONG kVirtualVersion = 0x4;  // the same; Outlook reports no other

}  // namespace

std::string contextName(ULONG context) {
  switch (context) {
    case EECONTEXT_SESSION: return "1 session";
    case EECONTEXT_VIEWER: return "2 viewer";
    case EECONTEXT_REMOTEVIEWER: return "3 remote viewer";
    case EECONTEXT_SEARCHVIEWER: return "4 search viewer";
    case EECONTEXT_ADDRBOOK: return "5 address book";
    case EECONTEXT_SENDNOTEMESSAGE: return "6 compose note";
    case EECONTEXT_READNOTEMESSAGE: return "7 read note";
    case EECONTEXT_SENDPOSTMESSAGE: return "8 compose post";
    case EECONTEXT_READPOSTMESSAGE: return "9 read post";
    case EECONTEXT_READREPORTMESSAGE: return "10 read report";
    case EECONTEXT_SENDRESENDMESSAGE: return "11 resend";
    case EECONTEXT_PROPERTYSHEETS: return "12 property sheets";
    case EECONTEXT_ADVANCEDCRITERIA: return "13 advanced criteria";
    case EECONTEXT_TASK: return "14 task";
    default: return std::to_string(context);
  }
}

std::string resultName(HRESULT hr) {
  switch (hr) {
    case S_OK: return "S_OK";
    case S_FALSE: return "S_FALSE";
    case E_NOINTERFACE: return "E_NOINTERFACE";
    case E_ABORT: return "E_ABORT";
    case E_NOTIMPL: return "E_NOTIMPL";
    case E_POINTER: return "E_POINTER";
    case E_INVALIDARG: return "E_INVALIDARG";
    case E_OUTOFMEMORY: return "E_OUTOFMEMORY";
    case E_FAIL: return "E_FAIL";
    default: {
      char buf[16];
      std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
      return buf;
    }
  }
}

HostCallback* HostCallback::Create(HostReport& report, ULONG context, HWND window,
                                   const FileVersion& build, Mailbox* mailbox) {
  return new HostCallback(report, context, window, build, mailbox);
}

STDMETHODIMP HostCallback::QueryInterface(REFIID riid, void** ppvObj) {
  if (!ppvObj) return E_POINTER;
  *ppvObj = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IExchExtCallback)) {
    *ppvObj = static_cast<IExchExtCallback*>(this);
  } else if (IsEqualIID(riid, IID_IOutlookExtCallback)) {
    // The host is Outlook, and says so by offering its own callback.
    *ppvObj = static_cast<IOutlookExtCallback*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) HostCallback::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) HostCallback::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP HostCallback::GetVersion(ULONG* lpulVersion, ULONG ulFlags) {
  if (!lpulVersion) return E_POINTER;
  switch (ulFlags) {
    case kBuildVersion:
      *lpulVersion = static_cast<ULONG>(build_[0]) << 16 | build_[2];
      return S_OK;
    case kActualVersion:
    case kVirtualVersion:
      *lpulVersion = static_cast<ULONG>(build_[0] & 0xFF) << 16 |
                     static_cast<ULONG>(build_[1] & 0xFF) << 8;
      return S_OK;
    default:
      std::fprintf(stderr, "sigilon-sim: GetVersion with flags 0x%lX is not supported\n",
                   static_cast<unsigned long>(ulFlags));
      return E_INVALIDARG;
  }
}

STDMETHODIMP HostCallback::GetWindow(HWND* lphwnd) {
  if (!lphwnd) return E_POINTER;
  *lphwnd = window_;
  return window_ ? S_OK : E_FAIL;
}

HRESULT HostCallback::notAvailable(const char* operation) {
  report_.note(std::string("host: ") + operation + " is not available yet (context " +
               contextName(context_) + ")");
  return E_NOTIMPL;
}

STDMETHODIMP HostCallback::GetMenu(HMENU* lphmenu) {
  if (lphmenu) *lphmenu = nullptr;
  return notAvailable("GetMenu");
}

STDMETHODIMP HostCallback::GetToolbar(ULONG, HWND* lphwndTb) {
  if (lphwndTb) *lphwndTb = nullptr;
  return notAvailable("GetToolbar");
}

STDMETHODIMP HostCallback::GetSession(LPMAPISESSION* lppses, LPADRBOOK* lppab) {
  if (lppses) *lppses = nullptr;
  if (lppab) *lppab = nullptr;
  return notAvailable("GetSession");
}

// The viewer's item is the selected message; a context without one has none.
STDMETHODIMP HostCallback::GetObject(LPMDB* lppmdb, LPMAPIPROP* lppmp) {
  if (!lppmdb || !lppmp) return E_POINTER;
  *lppmdb = nullptr;
  *lppmp = nullptr;
  if (!mailbox_ || !mailbox_->selected()) return MAPI_E_NOT_FOUND;
  *lppmdb = mailbox_->store().NewMsgStore();
  *lppmp = mailbox_->store().NewMessage(*mailbox_->selected());
  return S_OK;
}

STDMETHODIMP HostCallback::GetSelectionCount(ULONG* lpceid) {
  if (!lpceid) return E_POINTER;
  *lpceid = mailbox_ && mailbox_->selected() ? 1 : 0;
  return S_OK;
}

STDMETHODIMP HostCallback::GetSelectionItem(ULONG ieid, ULONG* lpcbEid, LPENTRYID* lppeid,
                                            ULONG* lpulType, LPSTR lpszMsgClass,
                                            ULONG cbMsgClass, ULONG* lpulMsgFlags, ULONG) {
  if (!lpcbEid || !lppeid) return E_POINTER;
  *lpcbEid = 0;
  *lppeid = nullptr;
  StoredMessage* selected = mailbox_ ? mailbox_->selected() : nullptr;
  if (!selected || ieid != 0) return MAPI_E_NOT_FOUND;
  if (lpulType) *lpulType = MAPI_MESSAGE;
  if (lpszMsgClass && cbMsgClass > 0) {
    const std::string messageClass =
        selected->Props().String(PR_MESSAGE_CLASS).value_or(std::string());
    std::snprintf(lpszMsgClass, cbMsgClass, "%s", messageClass.c_str());
  }
  if (lpulMsgFlags) {
    *lpulMsgFlags = static_cast<ULONG>(selected->Props().Long(PR_MESSAGE_FLAGS).value_or(0));
  }
  return CopyEntryId(selected->EntryId(), lpcbEid, lppeid);
}

STDMETHODIMP HostCallback::GetMenuPos(ULONG, HMENU* lphmenu, ULONG*, ULONG*, ULONG) {
  if (lphmenu) *lphmenu = nullptr;
  return notAvailable("GetMenuPos");
}

STDMETHODIMP HostCallback::GetSharedExtsDir(LPSTR lpszDir, ULONG cchDir, ULONG) {
  if (lpszDir && cchDir > 0) lpszDir[0] = '\0';
  return notAvailable("GetSharedExtsDir");
}

STDMETHODIMP HostCallback::GetRecipients(LPADRLIST* lppal) {
  if (lppal) *lppal = nullptr;
  return notAvailable("GetRecipients");
}

STDMETHODIMP HostCallback::SetRecipients(LPADRLIST) { return notAvailable("SetRecipients"); }

STDMETHODIMP HostCallback::GetNewMessageSite(ULONG, LPMAPIFOLDER, LPPERSISTMESSAGE,
                                             LPMESSAGE* ppmsg, LPMAPIMESSAGESITE* ppmms,
                                             LPMAPIVIEWCONTEXT* ppmvc, ULONG) {
  if (ppmsg) *ppmsg = nullptr;
  if (ppmms) *ppmms = nullptr;
  if (ppmvc) *ppmvc = nullptr;
  return notAvailable("GetNewMessageSite");
}

STDMETHODIMP HostCallback::RegisterModeless(LPMAPIVIEWCONTEXT, HWND) {
  return notAvailable("RegisterModeless");
}

STDMETHODIMP HostCallback::ChooseFolder(LPMAPIFOLDER* lppfld) {
  if (lppfld) *lppfld = nullptr;
  return notAvailable("ChooseFolder");
}

STDMETHODIMP HostCallback::GetObject(IUnknown** ppunk) {
  if (ppunk) *ppunk = nullptr;
  return notAvailable("IOutlookExtCallback::GetObject");
}

STDMETHODIMP HostCallback::GetOfficeCharacter(void** ppmsotfc) {
  if (ppmsotfc) *ppmsotfc = nullptr;
  return notAvailable("GetOfficeCharacter");
}

}  // namespace simhost
