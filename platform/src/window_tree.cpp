// Relations between windows: GetParent, GetWindow, IsChild, FindWindowA.
#include <algorithm>
#include <string>

#include "case_fold.h"
#include "unsupported.h"
#include "window_internal.h"

using sigplat::win::FindWindowRecord;
using sigplat::win::Window;

WINBASEAPI HWND WINAPI GetParent(HWND hWnd) {
  Window* w = sigplat::win::WindowForCall(hWnd, "GetParent");
  if (!w) return nullptr;
  // A pop-up answers with its owner, a child with its parent, as on Windows.
  if (w->style & WS_POPUP) return w->owner;
  if (w->style & WS_CHILD) return w->parent;
  return nullptr;
}

WINBASEAPI HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  const char* api = "GetWindow";
  Window* w = sigplat::win::WindowForCall(hWnd, api);
  if (!w) return nullptr;
  if (uCmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (uCmd == GW_OWNER) return w->owner;
  const std::vector<HWND>& siblings = sigplat::win::SiblingsOf(*w);
  auto self = std::find(siblings.begin(), siblings.end(), hWnd);
  switch (uCmd) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return (self == siblings.end() || self + 1 == siblings.end()) ? nullptr : *(self + 1);
    case GW_HWNDPREV:
      return (self == siblings.begin() || self == siblings.end()) ? nullptr : *(self - 1);
    default:
      sigplat::ReportFailure(api, "relation " + std::to_string(uCmd) + " is not supported",
                             ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

WINBASEAPI BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  if (!sigplat::win::OnWindowThread("IsChild")) return FALSE;
  Window* w = FindWindowRecord(hWnd);
  if (!w || !hWndParent) return FALSE;
  for (Window* p = FindWindowRecord(w->parent); p; p = FindWindowRecord(p->parent)) {
    if (p->handle == hWndParent) return TRUE;
  }
  return FALSE;
}

// Only top-level windows, in z-order; the class as a name (any case) or an
// atom, the title compared with the window's own text without regard to case.
// A null argument matches any window.
WINBASEAPI HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
  if (!sigplat::win::OnWindowThread("FindWindowA")) return nullptr;
  const sigplat::win::WindowClass* wanted = nullptr;
  if (lpClassName) {
    // Classes of one name share an atom, whichever module registered them.
    wanted = sigplat::win::FindClass(lpClassName, nullptr);
    if (!wanted) return nullptr;
  }
  for (HWND top : sigplat::win::TopLevelWindows()) {
    Window* w = FindWindowRecord(top);
    if (!w) continue;
    if (wanted && w->windowClass->atom != wanted->atom) continue;
    if (lpWindowName && !sigplat::EqualsIgnoringCase(w->text, lpWindowName)) continue;
    return top;
  }
  return nullptr;
}
