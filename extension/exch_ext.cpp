// The extension object: the entry point, Install's choice of contexts, and
// the table that hands out the interface objects.
#include "extension/exch_ext.h"

#include <new>

#include "env/outlook_editor.h"
#include "env/outlook_version.h"
#include "env/trace.h"
#include "extension/commands.h"
#include "extension/item_events.h"
#include "extension/message_events.h"
#include "extension/message_state.h"
#include "extension/property_sheets.h"
#include "extension/user_events.h"

SigilonExchExt* g_pMyExtension = nullptr;

namespace {

// The shared objects live in one slot each while somebody holds them.
template <class Object>
Object* SharedObject(Object*& pSlot, SigilonExchExt* pExchExt) {
  if (!pSlot) pSlot = new (std::nothrow) Object(pExchExt);
  return pSlot;
}

// Contexts in which the options dialog's pages are never asked for.
bool IsNoteOrViewerContext(DWORD context) {
  switch (context) {
    case EECONTEXT_SENDNOTEMESSAGE:
    case EECONTEXT_SENDPOSTMESSAGE:
    case EECONTEXT_SENDRESENDMESSAGE:
    case EECONTEXT_READNOTEMESSAGE:
    case EECONTEXT_READPOSTMESSAGE:
    case EECONTEXT_READREPORTMESSAGE:
    case EECONTEXT_VIEWER:
      return true;
    default:
      return false;
  }
}

}  // namespace

DLLEXPORT LPEXCHEXT STDAPICALLTYPE ExchEntryPoint() {
  if (!g_pMyExtension) g_pMyExtension = new (std::nothrow) SigilonExchExt();
  if (!g_pMyExtension) return nullptr;
  g_pMyExtension->AddRef();
  return g_pMyExtension;
}

STDMETHODIMP SigilonExchExt::QueryInterface(REFIID riid, void** ppvObj) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExt::QueryInterface()  riid=%X\r\n",
           static_cast<unsigned>(riid.Data1));
  if (!ppvObj) return E_POINTER;
  *ppvObj = nullptr;
  // A released object only waits for its last interface objects to go.
  if (m_bReleased) return E_NOINTERFACE;

  IUnknown* pUnknown = nullptr;
  if (IsEqualIID(riid, IID_IUnknown)) {
    pUnknown = this;
  } else if (IsEqualIID(riid, IID_IExchExtCommands)) {
    m_pExchExtCommands = new (std::nothrow) SigilonExchExtCommands(this);
    pUnknown = m_pExchExtCommands;
  } else if (IsEqualIID(riid, IID_IExchExtUserEvents)) {
    pUnknown = SharedObject(m_pExchExtUserEvents, this);
  } else if (IsEqualIID(riid, IID_IExchExtMessageEvents)) {
    pUnknown = SharedObject(m_pExchExtMessageEvents, this);
  } else if (IsEqualIID(riid, IID_IExchExtPropertySheets)) {
    if (IsNoteOrViewerContext(CurrentContext)) return E_NOINTERFACE;
    pUnknown = SharedObject(m_pExchExtPropertySheets, this);
  } else if (IsEqualIID(riid, IID_IOutlookExtItemEvents)) {
    m_pOutlookExtItemEvents = new (std::nothrow) SigilonOutlookExtItemEvents(this);
    pUnknown = m_pOutlookExtItemEvents;
  } else {
    return E_NOINTERFACE;
  }
  if (!pUnknown) return E_OUTOFMEMORY;
  pUnknown->AddRef();
  *ppvObj = pUnknown;
  return S_OK;
}

STDMETHODIMP_(ULONG) SigilonExchExt::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(reinterpret_cast<LONG volatile*>(&m_cRef)));
}

STDMETHODIMP_(ULONG) SigilonExchExt::Release() {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExt::Release()\r\n");
  const LONG cRef = InterlockedDecrement(reinterpret_cast<LONG volatile*>(&m_cRef));
  if (cRef != 0) return static_cast<ULONG>(cRef);
  if (g_pMyExtension == this) g_pMyExtension = nullptr;
  if (m_cLiveObjects == 0) {
    delete this;
  } else {
    m_bReleased = TRUE;
  }
  return 0;
}

void SigilonExchExt::ObjectDeleted() {
  --m_cLiveObjects;
  if (m_bReleased && m_cLiveObjects == 0) delete this;
}

STDMETHODIMP SigilonExchExt::Install(LPEXCHEXTCALLBACK lpeecb, ULONG mecontext, ULONG /*ulFlags*/) {
  m_context = mecontext;
  CurrentContext = mecontext;

  HWND hwnd = nullptr;
  if (lpeecb) lpeecb->GetWindow(&hwnd);
  if (!bVersionChecked) {
    nOutlookVersion = CheckOutlookVersion(hwnd);
    bCorrectVersion = nOutlookVersion != 0;
    bVersionChecked = TRUE;
  }
  nOutlookEditor = CheckOutlookEditor(nOutlookVersion);
  SIGTRACE(TRACE_VERSION, "SigilonExchExt::Install nOutlookVersion=%d\r\n", nOutlookVersion);
  if (!bCorrectVersion) return S_FALSE;

  // Only Outlook offers its own callback: other clients get nothing.
  IOutlookExtCallback* pOutlook = nullptr;
  if (!lpeecb || FAILED(lpeecb->QueryInterface(IID_IOutlookExtCallback,
                                               reinterpret_cast<void**>(&pOutlook))) ||
      !pOutlook) {
    return S_FALSE;
  }
  pOutlook->Release();

  if (mecontext == EECONTEXT_VIEWER ||
      (mecontext >= EECONTEXT_SENDNOTEMESSAGE && mecontext <= EECONTEXT_PROPERTYSHEETS)) {
    return S_OK;
  }
  return S_FALSE;
}
