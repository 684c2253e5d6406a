// The property-sheets object. Until the options page arrives it offers no page.
#include "extension/property_sheets.h"

#include "env/trace.h"

STDMETHODIMP_(ULONG) SigilonExchExtPropertySheets::GetMaxPageCount(ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtPropertySheets::GetMaxPageCount()\r\n");
  return 0;
}

STDMETHODIMP SigilonExchExtPropertySheets::GetPages(LPEXCHEXTCALLBACK, ULONG, LPPROPSHEETPAGE,
                                                    ULONG* lpcpsp) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtPropertySheets::GetPages()\r\n");
  if (lpcpsp) *lpcpsp = 0;
  return S_FALSE;
}

STDMETHODIMP_(VOID) SigilonExchExtPropertySheets::FreePages(LPPROPSHEETPAGE, ULONG, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtPropertySheets::FreePages()\r\n");
}
