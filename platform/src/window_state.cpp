// Visible and enabled state: ShowWindow, IsWindowVisible, EnableWindow,
// IsWindowEnabled.
#include <string>

#include "unsupported.h"
#include "window_internal.h"

namespace {

using sigplat::win::FindWindowRecord;
using sigplat::win::Window;

// A hidden or disabled window cannot keep the focus: a child hands it to its
// parent, a top-level window to nobody (no other window is activated here).
void MoveFocusOutOf(HWND hwnd, bool toParent) {
  HWND focus = GetFocus();
  if (!focus || !sigplat::win::IsSelfOrDescendant(hwnd, focus)) return;
  Window* w = FindWindowRecord(hwnd);
  SetFocus(toParent && w ? w->parent : nullptr);
}

}  // namespace

WINBASEAPI BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  const char* api = "ShowWindow";
  Window* w = sigplat::win::WindowForCall(hWnd, api);
  if (!w) return FALSE;
  bool show = false;
  switch (nCmdShow) {
    case SW_HIDE:
      break;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      show = true;
      break;
    case 2:   // SW_SHOWMINIMIZED
    case 3:   // SW_SHOWMAXIMIZED, SW_MAXIMIZE
    case 6:   // SW_MINIMIZE
    case 7:   // SW_SHOWMINNOACTIVE
    case 11:  // SW_FORCEMINIMIZE
      sigplat::ReportFailure(api,
                             "command " + std::to_string(nCmdShow) +
                                 " is not supported: windows are never minimised or maximised",
                             ERROR_NOT_SUPPORTED);
      return FALSE;
    default:
      sigplat::ReportFailure(api, "no command " + std::to_string(nCmdShow),
                             ERROR_INVALID_PARAMETER);
      return FALSE;
  }
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  if (wasVisible == show) return wasVisible;
  sigplat::win::DeliverMessage(hWnd, WM_SHOWWINDOW, show, 0);
  if (!(w = FindWindowRecord(hWnd))) return wasVisible;
  if (show) {
    w->style |= WS_VISIBLE;
  } else {
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    MoveFocusOutOf(hWnd, w->parent != nullptr);
  }
  // A top-level window learns its size when it is first shown.
  if (show && w->needsSize) {
    w->needsSize = false;
    RECT r = w->rect;
    sigplat::win::DeliverMessage(hWnd, WM_SIZE, SIZE_RESTORED,
                                 MAKELPARAM(r.right - r.left, r.bottom - r.top));
    sigplat::win::DeliverMessage(hWnd, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
  }
  return wasVisible;
}

// Visible only when the window and every ancestor have WS_VISIBLE.
WINBASEAPI BOOL WINAPI IsWindowVisible(HWND hWnd) {
  if (!sigplat::win::OnWindowThread("IsWindowVisible")) return FALSE;
  Window* w = FindWindowRecord(hWnd);
  if (!w) return FALSE;
  for (; w; w = FindWindowRecord(w->parent)) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
  }
  return TRUE;
}

// Returns nonzero when the window was disabled before the call.
WINBASEAPI BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* w = sigplat::win::WindowForCall(hWnd, "EnableWindow");
  if (!w) return FALSE;
  bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (bEnable && wasDisabled) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
    sigplat::win::DeliverMessage(hWnd, WM_ENABLE, TRUE, 0);
  } else if (!bEnable && !wasDisabled) {
    sigplat::win::DeliverMessage(hWnd, WM_CANCELMODE, 0, 0);
    if (!(w = FindWindowRecord(hWnd))) return FALSE;
    w->style |= WS_DISABLED;
    MoveFocusOutOf(hWnd, false);
    sigplat::win::DeliverMessage(hWnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

WINBASEAPI BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* w = sigplat::win::WindowForCall(hWnd, "IsWindowEnabled");
  return w && !(w->style & WS_DISABLED);
}
