// The controls of a dialog by id: GetDlgItem, GetDlgCtrlID, the text and
// message shortcuts, and the check state of buttons.
#include <string>

#include "dialog_internal.h"
#include "unsupported.h"

namespace {

// The item for a call, or null with ERROR_CONTROL_ID_NOT_FOUND.
HWND ItemForCall(HWND hDlg, int id, const char* api) {
  if (!sigplat::win::WindowForCall(hDlg, api)) return nullptr;
  HWND item = sigplat::win::FindDialogItem(hDlg, id);
  if (!item) SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return item;
}

}  // namespace

// Only the dialog's own children are searched, as on Windows.
WINBASEAPI HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  return ItemForCall(hDlg, nIDDlgItem, "GetDlgItem");
}

WINBASEAPI int WINAPI GetDlgCtrlID(HWND hWnd) {
  sigplat::win::Window* w = sigplat::win::WindowForCall(hWnd, "GetDlgCtrlID");
  return w ? static_cast<int>(w->id) : 0;
}

WINBASEAPI LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                              LPARAM lParam) {
  HWND item = ItemForCall(hDlg, nIDDlgItem, "SendDlgItemMessageA");
  return item ? SendMessageA(item, Msg, wParam, lParam) : 0;
}

WINBASEAPI BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  HWND item = ItemForCall(hDlg, nIDDlgItem, "SetDlgItemTextA");
  return item ? SetWindowTextA(item, lpString) : FALSE;
}

// With no such control the buffer still comes back empty.
WINBASEAPI UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  if (lpString && cchMax > 0) lpString[0] = '\0';
  HWND item = ItemForCall(hDlg, nIDDlgItem, "GetDlgItemTextA");
  return item ? static_cast<UINT>(GetWindowTextA(item, lpString, cchMax)) : 0;
}

WINBASEAPI BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND item = ItemForCall(hDlg, nIDButton, "CheckDlgButton");
  if (!item) return FALSE;
  SendMessageA(item, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

WINBASEAPI UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  HWND item = ItemForCall(hDlg, nIDButton, "IsDlgButtonChecked");
  return item ? static_cast<UINT>(SendMessageA(item, BM_GETCHECK, 0, 0)) : 0;
}

// Checks one control and unchecks every other child whose id lies in the
// range, whatever its kind, as Windows does.
WINBASEAPI BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton,
                                        int nIDCheckButton) {
  sigplat::win::Window* w = sigplat::win::WindowForCall(hDlg, "CheckRadioButton");
  if (!w) return FALSE;
  std::vector<HWND> children = w->children;
  for (HWND child : children) {
    sigplat::win::Window* c = sigplat::win::FindWindowRecord(child);
    if (!c) continue;
    int id = static_cast<int>(c->id);
    if (id < nIDFirstButton || id > nIDLastButton) continue;
    SendMessageA(child, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}
