// The commands object. Until the command handling arrives, every method lets
// the host go on as if the extension had no command of its own.
#include "extension/commands.h"

#include "env/trace.h"

STDMETHODIMP SigilonExchExtCommands::InstallCommands(LPEXCHEXTCALLBACK, HWND hwnd, HMENU, UINT*,
                                                     LPTBENTRY, UINT, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtCommands::InstallCommands()\r\n");
  m_hwnd = hwnd;
  return S_FALSE;
}

STDMETHODIMP_(VOID) SigilonExchExtCommands::InitMenu(LPEXCHEXTCALLBACK) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtCommands::InitMenu()\r\n");
}

STDMETHODIMP SigilonExchExtCommands::DoCommand(LPEXCHEXTCALLBACK, UINT) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtCommands::DoCommand()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtCommands::Help(LPEXCHEXTCALLBACK, UINT) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtCommands::Help()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtCommands::QueryHelpText(UINT, ULONG, LPSTR, UINT) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtCommands::QueryHelpText()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtCommands::QueryButtonInfo(ULONG, UINT, LPTBBUTTON, LPSTR, UINT, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtCommands::QueryButtonInfo()\r\n");
  return S_FALSE;
}

STDMETHODIMP SigilonExchExtCommands::ResetToolbar(ULONG, ULONG) {
  SIGTRACE(TRACE_INTERFACE, "SigilonExchExtCommands::ResetToolbar()\r\n");
  return S_FALSE;
}
