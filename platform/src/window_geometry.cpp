// Window rectangles: GetWindowRect, GetClientRect, MoveWindow. There are no
// borders or captions here, so the client area is the whole window.
#include "window_internal.h"

namespace {

using sigplat::win::FindWindowRecord;
using sigplat::win::Window;

// The window's rectangle on the screen: its own, offset by the client origin
// of every ancestor.
RECT ScreenRect(const Window& w) {
  RECT r = w.rect;
  for (Window* p = FindWindowRecord(w.parent); p; p = FindWindowRecord(p->parent)) {
    r.left += p->rect.left;
    r.right += p->rect.left;
    r.top += p->rect.top;
    r.bottom += p->rect.top;
  }
  return r;
}

}  // namespace

WINBASEAPI BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Window* w = sigplat::win::WindowForCall(hWnd, "GetWindowRect");
  if (!w || !lpRect) return FALSE;
  *lpRect = ScreenRect(*w);
  return TRUE;
}

WINBASEAPI BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  Window* w = sigplat::win::WindowForCall(hWnd, "GetClientRect");
  if (!w || !lpRect) return FALSE;
  *lpRect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  return TRUE;
}

// Position relative to the parent's client area (the screen for a top-level
// window). The window hears WM_MOVE and WM_SIZE for what changed, in that
// order, as DefWindowProc turns WM_WINDOWPOSCHANGED into them on Windows.
WINBASEAPI BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight,
                                  BOOL /*bRepaint: nothing is painted*/) {
  Window* w = sigplat::win::WindowForCall(hWnd, "MoveWindow");
  if (!w) return FALSE;
  if (nWidth < 0) nWidth = 0;
  if (nHeight < 0) nHeight = 0;
  RECT old = w->rect;
  w->rect = RECT{X, Y, X + nWidth, Y + nHeight};
  bool moved = old.left != X || old.top != Y;
  bool sized = old.right - old.left != nWidth || old.bottom - old.top != nHeight;
  if (moved) sigplat::win::DeliverMessage(hWnd, WM_MOVE, 0, MAKELPARAM(X, Y));
  if (sized && FindWindowRecord(hWnd)) {
    sigplat::win::DeliverMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(nWidth, nHeight));
  }
  return TRUE;
}
