// The item events. Until the open handling arrives, notes open as they would
// without the extension.
#include "extension/item_events.h"

#include "env/trace.h"

STDMETHODIMP SigilonOutlookExtItemEvents::OnOpen(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonOutlookExtItemEvents::OnOpen()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonOutlookExtItemEvents::OnOpenComplete(LPEXCHEXTCALLBACK, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonOutlookExtItemEvents::OnOpenComplete()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonOutlookExtItemEvents::OnClose(LPEXCHEXTCALLBACK, ULONG) { return S_FALSE; }

STDMETHODIMP SigilonOutlookExtItemEvents::OnCloseComplete(LPEXCHEXTCALLBACK, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonOutlookExtItemEvents::OnCloseComplete()\r\n");
  return S_FALSE;
}
