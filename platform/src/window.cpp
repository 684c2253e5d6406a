// The window table and the life of a window: CreateWindowExA, DestroyWindow,
// IsWindow, and the UI-thread rule.
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>

#include "message_queue.h"
#include "unsupported.h"
#include "window_internal.h"

namespace sigplat::win {

namespace {

std::unordered_map<HWND, std::unique_ptr<Window>>& Table() {
  static std::unordered_map<HWND, std::unique_ptr<Window>> table;
  return table;
}

// Handles look like Windows' (small, even) and are never handed out twice,
// so a stale handle can never reach a newer window.
HWND NewHandle() {
  static ULONG_PTR next = 0x10010;
  HWND handle = reinterpret_cast<HWND>(next);
  next += 2;
  return handle;
}

std::atomic<std::thread::id> g_uiThread{};

bool IsChildWindow(const Window& w) { return w.parent != nullptr; }

// Windows tells each ancestor of a child (until one opts out with
// WS_EX_NOPARENTNOTIFY) that the child was created or is being destroyed.
void SendParentNotify(HWND child, WORD event) {
  Window* w = FindWindowRecord(child);
  if (!w) return;
  WPARAM wParam = MAKEWPARAM(event, w->id);
  HWND current = child;
  while ((w = FindWindowRecord(current)) && w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
    HWND parent = w->parent;
    DeliverMessage(parent, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(child));
    current = parent;
  }
}

// Unlinks the record and frees it, with any children a procedure created
// while the window was being destroyed.
void FreeWindow(HWND hwnd);

// WM_NCDESTROY goes to the children (first to last, each after its own
// children) before the window itself; then the records go.
void FreeWindowTree(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  if (!w) return;
  w->destroying = true;
  std::vector<HWND> children = w->children;
  for (HWND child : children) FreeWindowTree(child);
  if (!FindWindowRecord(hwnd)) return;
  DeliverMessage(hwnd, WM_NCDESTROY, 0, 0);
  FreeWindow(hwnd);
}

void FreeWindow(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  if (!w) return;
  while (!w->children.empty()) {
    FreeWindowTree(w->children.front());
    w = FindWindowRecord(hwnd);
    if (!w) return;
  }
  std::vector<HWND>& siblings = SiblingsOf(*w);
  for (auto it = siblings.begin(); it != siblings.end(); ++it) {
    if (*it == hwnd) {
      siblings.erase(it);
      break;
    }
  }
  ForgetFocus(hwnd);
  ForgetWindowMessages(hwnd);
  w->windowClass->windowCount--;
  Table().erase(hwnd);
  if (Table().empty()) g_uiThread.store(std::thread::id());
}

// WM_DESTROY goes to the window before its children, depth first.
void SendDestroyTree(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  if (!w) return;
  w->destroying = true;
  if (!w->destroySent) {
    w->destroySent = true;
    DeliverMessage(hwnd, WM_DESTROY, 0, 0);
    w = FindWindowRecord(hwnd);
    if (!w) return;
  }
  std::vector<HWND> children = w->children;
  for (HWND child : children) SendDestroyTree(child);
}

struct Placement {
  int x, y, cx, cy;
};

// CW_USEDEFAULT means a default place only for overlapped windows; for
// children and pop-ups it means zero, as on Windows. The default place is
// the top left corner (Windows cascades), three quarters of the screen in size.
Placement PlaceWindow(DWORD style, int x, int y, int cx, int cy) {
  bool overlapped = !(style & (WS_CHILD | WS_POPUP));
  if (x == CW_USEDEFAULT) x = y = 0;
  if (cx == CW_USEDEFAULT) {
    cx = overlapped ? GetSystemMetrics(SM_CXSCREEN) * 3 / 4 : 0;
    cy = overlapped ? GetSystemMetrics(SM_CYSCREEN) * 3 / 4 : 0;
  }
  return Placement{x, y, cx < 0 ? 0 : cx, cy < 0 ? 0 : cy};
}

}  // namespace

bool OnWindowThread(const char* api) {
  std::thread::id owner = g_uiThread.load();
  if (owner == std::thread::id() || owner == std::this_thread::get_id()) return true;
  ReportFailure(api, "windows live on one UI thread; this call came from another thread",
                ERROR_INVALID_THREAD_ID);
  return false;
}

Window* FindWindowRecord(HWND hwnd) {
  auto it = Table().find(hwnd);
  return it == Table().end() ? nullptr : it->second.get();
}

Window* WindowForCall(HWND hwnd, const char* api) {
  if (!OnWindowThread(api)) return nullptr;
  Window* w = FindWindowRecord(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

std::vector<HWND>& TopLevelWindows() {
  static std::vector<HWND> windows;
  return windows;
}

std::vector<HWND>& SiblingsOf(const Window& window) {
  if (window.parent) {
    if (Window* parent = FindWindowRecord(window.parent)) return parent->children;
  }
  return TopLevelWindows();
}

bool IsSelfOrDescendant(HWND ancestor, HWND hwnd) {
  for (Window* w = FindWindowRecord(hwnd); w; w = FindWindowRecord(w->parent)) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

}  // namespace sigplat::win

using sigplat::ReportFailure;
using sigplat::win::FindWindowRecord;
using sigplat::win::Window;

WINBASEAPI HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                                       DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                                       HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                       LPVOID lpParam) {
  const char* api = "CreateWindowExA";
  if (!sigplat::win::OnWindowThread(api)) return nullptr;
  sigplat::win::WindowClass* windowClass = sigplat::win::FindClass(lpClassName, hInstance);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  bool child = (dwStyle & (WS_CHILD | WS_POPUP)) == WS_CHILD;
  Window* parent = nullptr;
  if (hWndParent) {
    parent = FindWindowRecord(hWndParent);
    if (!parent) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
  } else if (child) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  if (!child && hMenu) {
    ReportFailure(api, "menus are not supported", ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }

  std::thread::id none;
  sigplat::win::g_uiThread.compare_exchange_strong(none, std::this_thread::get_id());

  sigplat::win::Placement place = sigplat::win::PlaceWindow(dwStyle, X, Y, nWidth, nHeight);
  auto record = std::make_unique<Window>();
  HWND hwnd = sigplat::win::NewHandle();
  record->handle = hwnd;
  record->windowClass = windowClass;
  record->wndProc = windowClass->wndProc;
  record->instance = hInstance;
  // The window starts hidden and is shown once WM_CREATE has succeeded.
  record->style = dwStyle & ~static_cast<DWORD>(WS_VISIBLE);
  if (!(dwStyle & (WS_CHILD | WS_POPUP))) record->style |= WS_CAPTION | WS_CLIPSIBLINGS;
  record->exStyle = dwExStyle;
  record->id = reinterpret_cast<LONG_PTR>(hMenu);
  if (child) {
    record->parent = hWndParent;
  } else if (parent) {
    // Only a top-level window can own: the owner is the root of the given window.
    Window* root = parent;
    while (root->parent) root = FindWindowRecord(root->parent);
    record->owner = root->handle;
  }
  record->rect = RECT{place.x, place.y, place.x + place.cx, place.y + place.cy};
  record->extra.assign(static_cast<size_t>(windowClass->cbWndExtra), 0);
  record->needsSize = !child;
  windowClass->windowCount++;
  if (child) {
    parent->children.push_back(hwnd);
  } else {
    auto& topLevel = sigplat::win::TopLevelWindows();
    topLevel.insert(topLevel.begin(), hwnd);
  }
  sigplat::win::Table().emplace(hwnd, std::move(record));

  CREATESTRUCTA cs{lpParam, hInstance, hMenu, hWndParent, place.cy, place.cx, place.y,
                   place.x, static_cast<LONG>(dwStyle), lpWindowName, lpClassName, dwExStyle};
  LPARAM csParam = reinterpret_cast<LPARAM>(&cs);
  // A window that refuses creation gets WM_NCDESTROY only, as on Windows.
  if (!sigplat::win::DeliverMessage(hwnd, WM_NCCREATE, 0, csParam) || !FindWindowRecord(hwnd) ||
      sigplat::win::DeliverMessage(hwnd, WM_CREATE, 0, csParam) == -1 ||
      !FindWindowRecord(hwnd)) {
    sigplat::win::FreeWindowTree(hwnd);
    return nullptr;
  }
  if (child) {
    sigplat::win::DeliverMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(place.cx, place.cy));
    sigplat::win::DeliverMessage(hwnd, WM_MOVE, 0, MAKELPARAM(place.x, place.y));
    sigplat::win::SendParentNotify(hwnd, WM_CREATE);
  }
  if ((dwStyle & WS_VISIBLE) && FindWindowRecord(hwnd)) ShowWindow(hwnd, SW_SHOW);
  return FindWindowRecord(hwnd) ? hwnd : nullptr;
}

WINBASEAPI BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* w = sigplat::win::WindowForCall(hWnd, "DestroyWindow");
  if (!w) return FALSE;
  if (w->destroying) return TRUE;  // already under way further up the stack
  w->destroying = true;
  bool child = sigplat::win::IsChildWindow(*w);
  HWND parent = w->parent;
  if (child) sigplat::win::SendParentNotify(hWnd, WM_DESTROY);
  if (!(w = FindWindowRecord(hWnd))) return TRUE;
  // Hiding a child sends WM_SHOWWINDOW; a top-level window is hidden quietly,
  // as SetWindowPos does it on Windows.
  if (w->style & WS_VISIBLE) {
    if (child) {
      ShowWindow(hWnd, SW_HIDE);
    } else {
      w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
  }
  HWND focus = GetFocus();
  if (focus && sigplat::win::IsSelfOrDescendant(hWnd, focus)) SetFocus(child ? parent : nullptr);
  if (!child) {
    std::vector<HWND> owned;
    for (HWND top : sigplat::win::TopLevelWindows()) {
      Window* t = FindWindowRecord(top);
      if (t && t->owner == hWnd) owned.push_back(top);
    }
    for (HWND o : owned) {
      if (FindWindowRecord(o)) DestroyWindow(o);
    }
  }
  sigplat::win::SendDestroyTree(hWnd);
  sigplat::win::FreeWindowTree(hWnd);
  return TRUE;
}

WINBASEAPI BOOL WINAPI IsWindow(HWND hWnd) {
  if (!sigplat::win::OnWindowThread("IsWindow")) return FALSE;
  return FindWindowRecord(hWnd) != nullptr;
}
