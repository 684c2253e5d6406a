#include "extension/about_dialog.h"

#include "extension/centre_dialog.h"

namespace {
constexpr int kOkButton = 1044;
}

INT_PTR CALLBACK AboutDlg(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  switch (uMsg) {
    case WM_INITDIALOG:
      CentreDialog(hDlg);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kOkButton || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 1);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}
