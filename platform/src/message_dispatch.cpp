// DispatchMessageA and TranslateMessage: what a message loop does with a
// message it has taken from the queue.
#include "timers.h"
#include "unsupported.h"
#include "window_internal.h"

// A posted message goes straight to the window procedure: the
// call-window-procedure hooks see only sent messages, as on Windows. A
// WM_TIMER that carries a TIMERPROC calls it instead, but only while some
// timer still has that procedure, so a forged WM_TIMER cannot call arbitrary
// code.
WINBASEAPI LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  const char* api = "DispatchMessageA";
  if (!sigplat::win::OnWindowThread(api)) return 0;
  if (!lpMsg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
    if (!sigplat::win::IsLiveTimerProc(proc)) return 0;
    proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
    return 0;
  }
  if (!lpMsg->hwnd) return 0;  // a thread message has no procedure to go to
  if (!sigplat::win::WindowForCall(lpMsg->hwnd, api)) return 0;
  return sigplat::win::CallWindowProcedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam,
                                           lpMsg->lParam);
}

// Only keystrokes are translated, and the simulated machine has no keyboard
// layout to translate them with.
WINBASEAPI BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (!lpMsg) return FALSE;
  switch (lpMsg->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      sigplat::ReportFailure("TranslateMessage", "keystrokes cannot be translated: no keyboard",
                             ERROR_NOT_SUPPORTED);
      return FALSE;
    default:
      return FALSE;
  }
}
