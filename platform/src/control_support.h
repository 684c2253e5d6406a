// What the built-in controls share: their state beside the window, the
// notifications they send their parent, and the loud refusal of a message of
// their family that they do not implement.
#pragma once

#include <string>

#include "window_internal.h"

namespace sigplat::win {

// The control state of type State the window keeps, or null when the window
// is gone or keeps another kind.
template <class State>
State* ControlStateOf(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  return w ? dynamic_cast<State*>(w->control.get()) : nullptr;
}

// Gives the window a fresh state of type State (at WM_NCCREATE).
template <class State>
State* AttachControlState(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  if (!w) return nullptr;
  auto state = std::make_unique<State>();
  State* raw = state.get();
  w->control = std::move(state);
  return raw;
}

// WM_COMMAND with the control's id and the code, sent to its parent.
void NotifyParent(HWND control, int code);

// The window's style bits (GWL_STYLE), read live: a control changes
// behaviour when its style changes, as on Windows.
DWORD StyleOf(HWND hwnd);

// The class of the window as registered ("Button", "ListBox", ...), compared
// without regard to case.
bool HasClass(HWND hwnd, const char* className);

// A message of the control's own family that this platform does not
// implement: reported with its number, ERROR_NOT_SUPPORTED, and 0.
LRESULT UnsupportedControlMessage(const char* controlClass, UINT msg);

// Copies text and its terminator into the caller's buffer, which the
// message's contract says is large enough (LB_GETTEXT, CB_GETLBTEXT carry no
// size: the caller asks the length first). Returns the length.
LRESULT CopyToUnsizedBuffer(const std::string& text, LPARAM buffer);

}  // namespace sigplat::win
