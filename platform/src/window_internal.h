// The window manager's own view of a window, shared by the files that make up
// the window manager. The system only ever holds HWNDs; these records stay
// inside platform/src.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "window_class.h"
#include "winapi.h"

namespace sigplat::win {

// State a built-in control keeps beside its window (a list box's items, a
// rich edit's text). The window owns it and frees it with the record, after
// WM_NCDESTROY.
struct ControlState {
  virtual ~ControlState() = default;
};

struct Window {
  HWND handle = nullptr;             // this window's handle, never reused in the process
  WindowClass* windowClass = nullptr;  // the class it was created from; lives while it does
  WNDPROC wndProc = nullptr;         // current procedure: the class's, or a subclass's
  HINSTANCE instance = nullptr;      // module given to CreateWindowExA (GWLP_HINSTANCE)
  DWORD style = 0;                   // WS_* (GWL_STYLE); WS_VISIBLE, WS_DISABLED are the state
  DWORD exStyle = 0;                 // WS_EX_* (GWL_EXSTYLE)
  LONG_PTR id = 0;                   // a child's control id; a top-level window's menu (GWL_ID)
  LONG_PTR userData = 0;             // GWLP_USERDATA
  HWND parent = nullptr;             // parent of a child window; null for a top-level one
  HWND owner = nullptr;              // owner of a top-level window; null for a child
  std::vector<HWND> children;        // child windows in z-order; the first is GW_CHILD
  std::string text;                  // the window text DefWindowProcA keeps
  RECT rect{};                       // relative to the parent's client area (screen if top-level)
  std::vector<unsigned char> extra;  // the class's cbWndExtra bytes, zeroed at creation
  bool needsSize = false;            // top-level, never shown: first show sends WM_SIZE, WM_MOVE
  bool destroying = false;           // DestroyWindow has begun for it (or for an ancestor)
  bool destroySent = false;          // WM_DESTROY has been sent
  std::unique_ptr<ControlState> control;  // a built-in control's state, if it keeps one
};

// All windows live on one UI thread: the thread that created the first of the
// windows now alive. Returns false, after a loud report and
// ERROR_INVALID_THREAD_ID, when another thread calls in while windows exist.
bool OnWindowThread(const char* api);

// The live window with that handle, or null. No error is set.
Window* FindWindowRecord(HWND hwnd);

// The live window for an API call: checks the thread and the handle, setting
// ERROR_INVALID_WINDOW_HANDLE for a handle that is not a window.
Window* WindowForCall(HWND hwnd, const char* api);

// Top-level windows in z-order, the first on top.
std::vector<HWND>& TopLevelWindows();

// The list that holds the window: its parent's children, or the top-level list.
std::vector<HWND>& SiblingsOf(const Window& window);

// The one path by which every sent message reaches a window procedure: the
// WH_CALLWNDPROC hooks see it first. Returns 0 when the window is gone.
LRESULT DeliverMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The window procedure alone, for posted messages (DispatchMessageA), which
// the call-window-procedure hooks do not see. Returns 0 when the window is gone.
LRESULT CallWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Focus bookkeeping for the destruction of a window: forgets the focus
// without messages when it still names a window about to be freed.
void ForgetFocus(HWND hwnd);

// True when hwnd is the ancestor itself or one of its descendants.
bool IsSelfOrDescendant(HWND ancestor, HWND hwnd);

}  // namespace sigplat::win
