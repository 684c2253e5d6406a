// GetWindowLongA, SetWindowLongA and their pointer-sized forms: the window's
// styles, id, user data, procedure (subclassing), module, parent or owner,
// and the class's extra bytes.
#include <cstring>
#include <string>

#include "unsupported.h"
#include "window_internal.h"

namespace {

using sigplat::win::FindWindowRecord;
using sigplat::win::Window;

// On this 64-bit machine the LONG forms cannot carry pointers: like 64-bit
// Windows they refuse the pointer indexes.
bool IsPointerIndex(int index) {
  return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

bool RefusedForLong(const char* api, int index) {
  if (!IsPointerIndex(index)) return false;
  sigplat::ReportFailure(api,
                         "index " + std::to_string(index) +
                             " holds a pointer; use the Ptr form on a 64-bit platform",
                         ERROR_INVALID_INDEX);
  return true;
}

bool ExtraInRange(const Window& w, int offset, size_t size) {
  return offset >= 0 && static_cast<size_t>(offset) + size <= w.extra.size();
}

LONG_PTR ReadExtra(const Window& w, int offset, size_t size) {
  if (size == sizeof(LONG)) {
    LONG value;
    std::memcpy(&value, w.extra.data() + offset, sizeof value);
    return value;
  }
  LONG_PTR value;
  std::memcpy(&value, w.extra.data() + offset, sizeof value);
  return value;
}

void WriteExtra(Window& w, int offset, size_t size, LONG_PTR value) {
  if (size == sizeof(LONG)) {
    LONG narrow = static_cast<LONG>(value);
    std::memcpy(w.extra.data() + offset, &narrow, sizeof narrow);
  } else {
    std::memcpy(w.extra.data() + offset, &value, sizeof value);
  }
}

LONG_PTR GetLong(HWND hwnd, int index, size_t size, const char* api) {
  Window* w = sigplat::win::WindowForCall(hwnd, api);
  if (!w) return 0;
  if (index >= 0) {
    if (ExtraInRange(*w, index, size)) return ReadExtra(*w, index, size);
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_ID:
      return w->id;
    case GWLP_USERDATA:
      return w->userData;
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->wndProc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

// Windows lets the procedure see, and amend, a style change before it happens.
LONG_PTR SetStyle(HWND hwnd, int index, DWORD value) {
  Window* w = FindWindowRecord(hwnd);
  STYLESTRUCT change{index == GWL_STYLE ? w->style : w->exStyle, value};
  sigplat::win::DeliverMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&change));
  if (!(w = FindWindowRecord(hwnd))) return 0;
  (index == GWL_STYLE ? w->style : w->exStyle) = change.styleNew;
  sigplat::win::DeliverMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&change));
  return static_cast<LONG_PTR>(change.styleOld);
}

LONG_PTR SetOwner(Window& w, LONG_PTR value, const char* api) {
  if (w.parent) {
    sigplat::ReportFailure(api, "changing the parent of a child window is not supported",
                           ERROR_NOT_SUPPORTED);
    return 0;
  }
  HWND owner = reinterpret_cast<HWND>(value);
  Window* root = FindWindowRecord(owner);
  if (owner && !root) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  while (root && root->parent) root = FindWindowRecord(root->parent);
  HWND previous = w.owner;
  w.owner = root ? root->handle : nullptr;
  return reinterpret_cast<LONG_PTR>(previous);
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value, size_t size, const char* api) {
  Window* w = sigplat::win::WindowForCall(hwnd, api);
  if (!w) return 0;
  if (index >= 0) {
    if (!ExtraInRange(*w, index, size)) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG_PTR previous = ReadExtra(*w, index, size);
    WriteExtra(*w, index, size, value);
    return previous;
  }
  LONG_PTR previous = 0;
  switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE:
      return SetStyle(hwnd, index, static_cast<DWORD>(value));
    case GWLP_ID:
      previous = w->id;
      w->id = value;
      return previous;
    case GWLP_USERDATA:
      previous = w->userData;
      w->userData = value;
      return previous;
    case GWLP_WNDPROC:
      if (!value) {
        sigplat::ReportFailure(api, "a window cannot be left without a procedure",
                               ERROR_INVALID_PARAMETER);
        return 0;
      }
      previous = reinterpret_cast<LONG_PTR>(w->wndProc);
      w->wndProc = reinterpret_cast<WNDPROC>(value);
      return previous;
    case GWLP_HINSTANCE:
      previous = reinterpret_cast<LONG_PTR>(w->instance);
      w->instance = reinterpret_cast<HINSTANCE>(value);
      return previous;
    case GWLP_HWNDPARENT:
      return SetOwner(*w, value, api);
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

}  // namespace

WINBASEAPI LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
  const char* api = "GetWindowLongA";
  if (RefusedForLong(api, nIndex)) return 0;
  return static_cast<LONG>(GetLong(hWnd, nIndex, sizeof(LONG), api));
}

WINBASEAPI LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
  const char* api = "SetWindowLongA";
  if (RefusedForLong(api, nIndex)) return 0;
  return static_cast<LONG>(SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG), api));
}

WINBASEAPI LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
  return GetLong(hWnd, nIndex, sizeof(LONG_PTR), "GetWindowLongPtrA");
}

WINBASEAPI LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  return SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR), "SetWindowLongPtrA");
}
