// Helpers every built-in control uses.
#include "control_support.h"

#include <cstdio>
#include <cstring>

#include "case_fold.h"
#include "unsupported.h"

namespace sigplat::win {

void NotifyParent(HWND control, int code) {
  Window* w = FindWindowRecord(control);
  if (!w || !w->parent) return;
  WPARAM wParam = MAKEWPARAM(static_cast<WORD>(w->id), static_cast<WORD>(code));
  DeliverMessage(w->parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control));
}

DWORD StyleOf(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  return w ? w->style : 0;
}

bool HasClass(HWND hwnd, const char* className) {
  Window* w = FindWindowRecord(hwnd);
  return w && EqualsIgnoringCase(w->windowClass->name, className);
}

LRESULT UnsupportedControlMessage(const char* controlClass, UINT msg) {
  char number[16];
  std::snprintf(number, sizeof number, "0x%04X", msg);
  ReportFailure(controlClass, std::string("message ") + number + " is not supported",
                ERROR_NOT_SUPPORTED);
  return 0;
}

LRESULT CopyToUnsizedBuffer(const std::string& text, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out) return static_cast<LRESULT>(text.size());
  std::memcpy(out, text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

}  // namespace sigplat::win
