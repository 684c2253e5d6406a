// Sent messages: SendMessageA and CallWindowProcA. Every message a window gets
// passes through DeliverMessage, or through CallWindowProcedure when it was
// posted.
#include "hooks.h"
#include "unsupported.h"
#include "window_internal.h"

namespace sigplat::win {

LRESULT DeliverMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!FindWindowRecord(hwnd)) return 0;
  CallWndProcHooks(hwnd, msg, wParam, lParam);
  return CallWindowProcedure(hwnd, msg, wParam, lParam);
}

LRESULT CallWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Looked up afresh: a hook may have destroyed or subclassed the window.
  Window* w = FindWindowRecord(hwnd);
  if (!w) return 0;
  return w->wndProc(hwnd, msg, wParam, lParam);
}

}  // namespace sigplat::win

WINBASEAPI LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  const char* api = "SendMessageA";
  if (hWnd == HWND_BROADCAST) {
    sigplat::ReportFailure(api, "broadcasting to all top-level windows is not supported",
                           ERROR_NOT_SUPPORTED);
    return 0;
  }
  if (!sigplat::win::WindowForCall(hWnd, api)) return 0;
  return sigplat::win::DeliverMessage(hWnd, Msg, wParam, lParam);
}

WINBASEAPI LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg,
                                          WPARAM wParam, LPARAM lParam) {
  if (!lpPrevWndFunc) return 0;
  return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}
