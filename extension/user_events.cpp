// The user events only leave a trace: selection and object changes need no
// action of the extension.
#include "extension/user_events.h"

#include "env/trace.h"

STDMETHODIMP_(VOID) SigilonExchExtUserEvents::OnSelectionChange(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtUserEvents::OnSelectionChange()\r\n");
}

STDMETHODIMP_(VOID) SigilonExchExtUserEvents::OnObjectChange(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtUserEvents::OnObjectChange()\r\n");
}
