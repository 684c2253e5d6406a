// The message events. Until the read and send handling arrives, the host goes
// on with every message as it would without the extension.
#include "extension/message_events.h"

#include "env/trace.h"

STDMETHODIMP SigilonExchExtMessageEvents::OnRead(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnRead()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtMessageEvents::OnReadComplete(LPEXCHEXTCALLBACK, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnReadComplete()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtMessageEvents::OnWrite(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnWrite()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtMessageEvents::OnWriteComplete(LPEXCHEXTCALLBACK, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnWriteComplete()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtMessageEvents::OnCheckNames(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnCheckNames()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtMessageEvents::OnCheckNamesComplete(LPEXCHEXTCALLBACK, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnCheckNamesComplete()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtMessageEvents::OnSubmit(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnSubmit()\r\n");
  return S_FALSE;
}

STDMETHODIMP_(VOID) SigilonExchExtMessageEvents::OnSubmitComplete(LPEXCHEXTCALLBACK, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtMessageEvents::OnSubmitComplete()\r\n");
}
