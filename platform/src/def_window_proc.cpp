// DefWindowProcA: what a window does with a message its own procedure passes
// on. The window text lives here.
#include <algorithm>
#include <cstring>

#include "window_internal.h"

namespace {

using sigplat::win::Window;

LRESULT OnNcCreate(Window& w, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w.text = cs->lpszName;
  return TRUE;
}

LRESULT OnSetText(Window& w, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  w.text = text ? text : "";
  return TRUE;
}

// Copies at most size - 1 characters and always terminates; returns the
// number copied.
LRESULT OnGetText(const Window& w, WPARAM size, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  if (!buffer || size == 0) return 0;
  size_t count = std::min(w.text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(buffer, w.text.data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

}  // namespace

WINBASEAPI LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = sigplat::win::WindowForCall(hWnd, "DefWindowProcA");
  if (!w) return 0;
  switch (Msg) {
    case WM_NCCREATE:
      return OnNcCreate(*w, lParam);
    case WM_SETTEXT:
      return OnSetText(*w, lParam);
    case WM_GETTEXT:
      return OnGetText(*w, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_HELP:
    case WM_CONTEXTMENU:
      // A child passes help and context-menu requests up, so they reach the dialog.
      if ((w->style & WS_CHILD) && w->parent) return SendMessageA(w->parent, Msg, wParam, lParam);
      return 0;
    default:
      return 0;
  }
}
