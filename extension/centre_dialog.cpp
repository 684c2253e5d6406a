#include "extension/centre_dialog.h"

void CentreDialog(HWND hDlg) {
  RECT rc;
  if (!GetWindowRect(hDlg, &rc)) return;
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  const int x = ((GetSystemMetrics(SM_CXSCREEN) - w) / 2 + 4) & ~7;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  MoveWindow(hDlg, x, y, w, h, FALSE);
}
