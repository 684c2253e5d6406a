// The class registry: application classes registered through RegisterClassA
// and the platform's own (system) classes, each with its window procedure.
#pragma once

#include <string>

#include "winapi.h"

namespace sigplat::win {

struct WindowClass {
  std::string name;         // as registered; every lookup ignores case
  ATOM atom = 0;            // the same for every class of that name, as the atom table gives it
  UINT style = 0;           // CS_* flags
  WNDPROC wndProc = nullptr;  // procedure a new window of the class starts with
  int cbClsExtra = 0;       // kept for fidelity; nothing reads class extra bytes yet
  int cbWndExtra = 0;       // zeroed bytes each window gets for GetWindowLong offsets >= 0
  HINSTANCE instance = nullptr;  // registering module; null for system classes
  bool system = false;      // a built-in class: found for every module, never unregistered
  int windowCount = 0;      // live windows of the class; UnregisterClassA refuses while > 0
};

// The class CreateWindowExA would use for that name (or atom) and module:
// the module's own class first, then a global class, then a system class, as
// Windows searches. Null when there is none.
WindowClass* FindClass(LPCSTR nameOrAtom, HINSTANCE instance);

// Registers one of the platform's built-in classes (a control, say) with its
// own window procedure; the control's file calls it before the first window
// of the class is created. Registering a name twice is a platform fault and
// aborts loudly.
ATOM RegisterSystemClass(const char* name, WNDPROC proc, int cbWndExtra, UINT style);

}  // namespace sigplat::win
