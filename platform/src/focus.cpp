// The keyboard focus: one window (or none) on the UI thread.
#include "window_internal.h"

namespace {
HWND g_focus = nullptr;
}

namespace sigplat::win {

void ForgetFocus(HWND hwnd) {
  if (g_focus == hwnd) g_focus = nullptr;
}

}  // namespace sigplat::win

WINBASEAPI HWND WINAPI GetFocus(void) {
  if (!sigplat::win::OnWindowThread("GetFocus")) return nullptr;
  return g_focus;
}

// WM_KILLFOCUS reaches the old window after the focus has moved (GetFocus
// already names the new one), then WM_SETFOCUS the new one, unless the first
// message moved the focus elsewhere, as on Windows.
WINBASEAPI HWND WINAPI SetFocus(HWND hWnd) {
  const char* api = "SetFocus";
  if (!sigplat::win::OnWindowThread(api)) return nullptr;
  HWND previous = g_focus;
  if (hWnd) {
    sigplat::win::Window* w = sigplat::win::WindowForCall(hWnd, api);
    if (!w) return nullptr;
    if (hWnd == previous) return previous;
    // A disabled window, or one inside a disabled parent, cannot take it.
    for (; w; w = sigplat::win::FindWindowRecord(w->parent)) {
      if (w->style & (WS_DISABLED | WS_MINIMIZE)) return nullptr;
    }
  }
  g_focus = hWnd;
  if (previous) {
    sigplat::win::DeliverMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  }
  if (hWnd && g_focus == hWnd) {
    sigplat::win::DeliverMessage(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  }
  return previous;
}
