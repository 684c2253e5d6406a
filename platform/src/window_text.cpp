// Window text, asked of the window itself through WM_GETTEXT,
// WM_GETTEXTLENGTH and WM_SETTEXT, so that controls and subclassed procedures
// answer for their own text as on Windows.
#include "window_internal.h"

WINBASEAPI int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (lpString && nMaxCount > 0) lpString[0] = '\0';
  if (!sigplat::win::WindowForCall(hWnd, "GetWindowTextA")) return 0;
  if (!lpString || nMaxCount <= 0) return 0;
  LRESULT copied = sigplat::win::DeliverMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                                reinterpret_cast<LPARAM>(lpString));
  // A procedure that claims more than fits, or forgets the terminator, must
  // not lead the caller to read past its buffer.
  if (copied < 0) copied = 0;
  if (copied > nMaxCount - 1) copied = nMaxCount - 1;
  lpString[copied] = '\0';
  return static_cast<int>(copied);
}

WINBASEAPI int WINAPI GetWindowTextLengthA(HWND hWnd) {
  if (!sigplat::win::WindowForCall(hWnd, "GetWindowTextLengthA")) return 0;
  return static_cast<int>(sigplat::win::DeliverMessage(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

WINBASEAPI BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  if (!sigplat::win::WindowForCall(hWnd, "SetWindowTextA")) return FALSE;
  return static_cast<BOOL>(
      sigplat::win::DeliverMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)));
}
