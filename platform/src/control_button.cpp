// The BUTTON class: push buttons, check boxes, radio buttons and group
// boxes. A click (BM_CLICK, or the user's) toggles the automatic styles and
// then tells the parent with BN_CLICKED.
#include <vector>

#include "control_support.h"

namespace sigplat::win {

namespace {

struct ButtonState : ControlState {
  int check = BST_UNCHECKED;  // BST_* of a check box or radio button
  bool pushed = false;        // drawn pushed in (BM_SETSTATE)
};

DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }

bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

bool HasCheck(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE || IsRadio(type);
}

// The sibling controls of the button's group: from the nearest control at or
// before it with WS_GROUP (or the first control) up to the next one with
// WS_GROUP, as the dialog manager groups controls.
std::vector<HWND> GroupOf(HWND button) {
  Window* w = FindWindowRecord(button);
  std::vector<HWND> group;
  if (!w) return group;
  const std::vector<HWND>& siblings = SiblingsOf(*w);
  size_t self = 0;
  while (self < siblings.size() && siblings[self] != button) ++self;
  if (self == siblings.size()) return group;
  size_t first = self;
  while (first > 0 && !(StyleOf(siblings[first]) & WS_GROUP)) --first;
  group.push_back(siblings[first]);
  for (size_t i = first + 1; i < siblings.size() && !(StyleOf(siblings[i]) & WS_GROUP); ++i) {
    group.push_back(siblings[i]);
  }
  return group;
}

LRESULT OnSetCheck(HWND hwnd, ButtonState& state, WPARAM wParam) {
  DWORD type = TypeOf(hwnd);
  if (!HasCheck(type)) return 0;
  int check = static_cast<int>(wParam) & 3;
  // Two-state buttons take "indeterminate" as checked.
  bool threeState = type == BS_3STATE || type == BS_AUTO3STATE;
  if (check > (threeState ? BST_INDETERMINATE : BST_CHECKED)) {
    check = threeState ? BST_INDETERMINATE : BST_CHECKED;
  }
  state.check = check;
  // A radio button is the tab stop of its group while it is checked.
  if (IsRadio(type)) {
    if (Window* w = FindWindowRecord(hwnd)) {
      w->style = check ? (w->style | WS_TABSTOP) : (w->style & ~static_cast<DWORD>(WS_TABSTOP));
    }
  }
  return 0;
}

// The click of a mouse: the button takes the focus, an automatic button
// changes its check, and the parent hears BN_CLICKED. Disabled buttons and
// group boxes do not respond.
LRESULT OnClick(HWND hwnd) {
  if (!IsWindowEnabled(hwnd)) return 0;
  DWORD type = TypeOf(hwnd);
  if (type == BS_GROUPBOX) return 0;
  SetFocus(hwnd);
  ButtonState* state = ControlStateOf<ButtonState>(hwnd);
  if (!state) return 0;
  switch (type) {
    case BS_AUTOCHECKBOX:
      SendMessageA(hwnd, BM_SETCHECK, state->check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED,
                   0);
      break;
    case BS_AUTO3STATE:
      // unchecked -> checked -> indeterminate -> unchecked
      SendMessageA(hwnd, BM_SETCHECK, (state->check + 1) % 3, 0);
      break;
    case BS_AUTORADIOBUTTON:
      SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
      for (HWND sibling : GroupOf(hwnd)) {
        if (sibling != hwnd && HasClass(sibling, "Button") &&
            TypeOf(sibling) == BS_AUTORADIOBUTTON) {
          SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
        }
      }
      break;
    default:
      break;
  }
  NotifyParent(hwnd, BN_CLICKED);
  return 0;
}

LRESULT OnGetState(HWND hwnd, const ButtonState& state) {
  LRESULT result = HasCheck(TypeOf(hwnd)) ? state.check : 0;
  if (state.pushed) result |= BST_PUSHED;
  if (GetFocus() == hwnd) result |= BST_FOCUS;
  return result;
}

// Only the type changes (a push button becomes the default one, say).
LRESULT OnSetStyle(HWND hwnd, WPARAM wParam) {
  if (Window* w = FindWindowRecord(hwnd)) {
    w->style =
        (w->style & ~static_cast<DWORD>(BS_TYPEMASK)) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
  }
  return 0;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    AttachControlState<ButtonState>(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  ButtonState* state = ControlStateOf<ButtonState>(hwnd);
  if (!state) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case BM_GETCHECK:
      return HasCheck(TypeOf(hwnd)) ? state->check : 0;
    case BM_SETCHECK:
      return OnSetCheck(hwnd, *state, wParam);
    case BM_GETSTATE:
      return OnGetState(hwnd, *state);
    case BM_SETSTATE:
      state->pushed = wParam != 0;
      return 0;
    case BM_SETSTYLE:
      return OnSetStyle(hwnd, wParam);
    case BM_CLICK:
      return OnClick(hwnd);
    default:
      break;
  }
  if (msg >= BM_GETCHECK && msg <= 0x00FF) return UnsupportedControlMessage("Button", msg);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

[[maybe_unused]] const ATOM kButtonClass =
    RegisterSystemClass("Button", ButtonProc, 0, CS_GLOBALCLASS);

}  // namespace

}  // namespace sigplat::win
