// The class registry: RegisterClassA, UnregisterClassA, GetClassNameA and the
// lookup CreateWindowExA and FindWindowA use.
#include "window_class.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <vector>

#include "case_fold.h"
#include "unsupported.h"
#include "window_internal.h"

namespace sigplat::win {

namespace {

constexpr ATOM kFirstAtom = 0xC000;  // where Windows numbers string atoms from
constexpr size_t kMaxAtoms = 0x4000;
constexpr size_t kMaxClassName = 255;

struct Registry {
  std::list<WindowClass> classes;      // a list: windows point at their class
  std::vector<std::string> atomNames;  // atom kFirstAtom + i stands for atomNames[i]
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

ATOM AtomFor(const std::string& name) {
  std::vector<std::string>& names = TheRegistry().atomNames;
  for (size_t i = 0; i < names.size(); ++i) {
    if (EqualsIgnoringCase(names[i], name)) return static_cast<ATOM>(kFirstAtom + i);
  }
  if (names.size() >= kMaxAtoms) return 0;
  names.push_back(name);
  return static_cast<ATOM>(kFirstAtom + names.size() - 1);
}

// The class name a string or an atom stands for; false for an atom that
// names nothing.
bool NameFor(LPCSTR nameOrAtom, std::string* name) {
  if (!nameOrAtom) return false;
  if (!IS_INTRESOURCE(nameOrAtom)) {
    *name = nameOrAtom;
    return true;
  }
  const std::vector<std::string>& names = TheRegistry().atomNames;
  WORD atom = LOWORD(nameOrAtom);
  if (atom < kFirstAtom || static_cast<size_t>(atom - kFirstAtom) >= names.size()) return false;
  *name = names[atom - kFirstAtom];
  return true;
}

bool IsGlobal(const WindowClass& c) { return (c.style & CS_GLOBALCLASS) != 0; }

}  // namespace

WindowClass* FindClass(LPCSTR nameOrAtom, HINSTANCE instance) {
  std::string name;
  if (!NameFor(nameOrAtom, &name)) return nullptr;
  std::list<WindowClass>& classes = TheRegistry().classes;
  // A module's own class first (a null module may use any module's class,
  // as on Windows), then global classes, then the platform's.
  for (WindowClass& c : classes) {
    if (!c.system && !IsGlobal(c) && (!instance || c.instance == instance) &&
        EqualsIgnoringCase(c.name, name)) {
      return &c;
    }
  }
  for (WindowClass& c : classes) {
    if (!c.system && IsGlobal(c) && EqualsIgnoringCase(c.name, name)) return &c;
  }
  for (WindowClass& c : classes) {
    if (c.system && EqualsIgnoringCase(c.name, name)) return &c;
  }
  return nullptr;
}

ATOM RegisterSystemClass(const char* name, WNDPROC proc, int cbWndExtra, UINT style) {
  for (const WindowClass& c : TheRegistry().classes) {
    if (c.system && EqualsIgnoringCase(c.name, name)) {
      std::fprintf(stderr, "sigilon platform: built-in class \"%s\" registered twice\n", name);
      std::abort();
    }
  }
  WindowClass c;
  c.name = name;
  c.atom = AtomFor(c.name);
  c.style = style;
  c.wndProc = proc;
  c.cbWndExtra = cbWndExtra;
  c.system = true;
  TheRegistry().classes.push_back(c);
  return c.atom;
}

}  // namespace sigplat::win

using sigplat::ReportFailure;
using sigplat::win::WindowClass;

WINBASEAPI ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
  const char* api = "RegisterClassA";
  if (!sigplat::win::OnWindowThread(api)) return 0;
  if (!lpWndClass) {
    ReportFailure(api, "null WNDCLASSA", ERROR_INVALID_PARAMETER);
    return 0;
  }
  const WNDCLASSA& wc = *lpWndClass;
  if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName)) {
    ReportFailure(api, "the class name must be a string", ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t nameLength = std::strlen(wc.lpszClassName);
  if (nameLength == 0 || nameLength > sigplat::win::kMaxClassName) {
    ReportFailure(api, "class name empty or longer than 255 characters", ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!wc.lpfnWndProc) {
    ReportFailure(api, "class without a window procedure", ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (wc.cbClsExtra < 0 || wc.cbWndExtra < 0) {
    ReportFailure(api, "negative extra byte count", ERROR_INVALID_PARAMETER);
    return 0;
  }
  bool global = (wc.style & CS_GLOBALCLASS) != 0;
  auto& classes = sigplat::win::TheRegistry().classes;
  for (const WindowClass& c : classes) {
    if (c.system || !sigplat::EqualsIgnoringCase(c.name, wc.lpszClassName)) continue;
    if (c.instance == wc.hInstance || (global && sigplat::win::IsGlobal(c))) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  }
  WindowClass c;
  c.name = wc.lpszClassName;
  c.atom = sigplat::win::AtomFor(c.name);
  if (!c.atom) {
    ReportFailure(api, "atom table full", ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  c.style = wc.style;
  c.wndProc = wc.lpfnWndProc;
  c.cbClsExtra = wc.cbClsExtra;
  c.cbWndExtra = wc.cbWndExtra;
  c.instance = wc.hInstance;
  classes.push_back(c);
  return c.atom;
}

WINBASEAPI BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
  const char* api = "UnregisterClassA";
  if (!sigplat::win::OnWindowThread(api)) return FALSE;
  std::string name;
  if (!sigplat::win::NameFor(lpClassName, &name)) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  auto& classes = sigplat::win::TheRegistry().classes;
  for (auto it = classes.begin(); it != classes.end(); ++it) {
    if (it->system || it->instance != hInstance ||
        !sigplat::EqualsIgnoringCase(it->name, name)) {
      continue;
    }
    if (it->windowCount > 0) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
    classes.erase(it);
    return TRUE;
  }
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

WINBASEAPI int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
  sigplat::win::Window* window = sigplat::win::WindowForCall(hWnd, "GetClassNameA");
  if (!window || !lpClassName || nMaxCount <= 0) return 0;
  const std::string& name = window->windowClass->name;
  size_t count = std::min(name.size(), static_cast<size_t>(nMaxCount) - 1);
  std::memcpy(lpClassName, name.data(), count);
  lpClassName[count] = '\0';
  return static_cast<int>(count);
}
