// DialogBoxParamA: a modal dialog from a template in the module's resources.
#include "dialog_internal.h"

// Returns -1 when the module has no such template (the last error says
// why), 0 for an owner that is not a window, else what EndDialog was given.
WINBASEAPI INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName,
                                          HWND hWndParent, DLGPROC lpDialogFunc,
                                          LPARAM dwInitParam) {
  const sigplat::DialogTemplate* found = sigplat::FindDialogTemplate(hInstance, lpTemplateName);
  if (!found) return -1;
  return sigplat::win::RunModalDialog(*found, hInstance, hWndParent, lpDialogFunc, dwInitParam,
                                      "DialogBoxParamA");
}
