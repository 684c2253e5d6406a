// The STATIC class: a label (its window text), or with SS_ICON an icon. An
// icon static keeps the resource id its text names ("#118") and the handle
// set through STM_SETICON; nothing is drawn.
#include <cstdlib>
#include <string>

#include "control_support.h"

namespace sigplat::win {

namespace {

struct StaticState : ControlState {
  int iconId = 0;          // the icon resource an SS_ICON static was created with, 0 for none
  HANDLE image = nullptr;  // icon or bitmap handle set through STM_SETICON / STM_SETIMAGE
};

constexpr DWORD kTypeMask = 0x1F;  // SS_TYPEMASK

int IconIdFrom(const CREATESTRUCTA* cs) {
  if (!cs || !cs->lpszName) return 0;
  if (IS_INTRESOURCE(cs->lpszName)) return LOWORD(cs->lpszName);
  std::string name = cs->lpszName;
  if (name.size() < 2 || name[0] != '#') return 0;
  return std::atoi(name.c_str() + 1);
}

LRESULT SetImage(StaticState& state, HANDLE image) {
  HANDLE previous = state.image;
  state.image = image;
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    StaticState* state = AttachControlState<StaticState>(hwnd);
    if (state && (StyleOf(hwnd) & kTypeMask) == SS_ICON) {
      state->iconId = IconIdFrom(reinterpret_cast<const CREATESTRUCTA*>(lParam));
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  StaticState* state = ControlStateOf<StaticState>(hwnd);
  if (!state) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case STM_SETICON:
      return SetImage(*state, reinterpret_cast<HANDLE>(wParam));
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(state->image);
    case STM_SETIMAGE:
      return SetImage(*state, reinterpret_cast<HANDLE>(lParam));
    case STM_GETIMAGE:
      return reinterpret_cast<LRESULT>(state->image);
    default:
      break;
  }
  if (msg >= STM_SETICON && msg <= 0x017F) return UnsupportedControlMessage("Static", msg);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

[[maybe_unused]] const ATOM kStaticClass =
    RegisterSystemClass("Static", StaticProc, 0, CS_GLOBALCLASS);

}  // namespace

// The icon resource id an SS_ICON static was created with (for tests).
int StaticIconId(HWND hwnd) {
  StaticState* state = ControlStateOf<StaticState>(hwnd);
  return state ? state->iconId : 0;
}

}  // namespace sigplat::win
