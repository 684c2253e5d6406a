// What the user saw of a dialog's controls once it had initialised.
#include <string>
#include <vector>

#include "control_actions.h"
#include "control_support.h"
#include "dialog_internal.h"

namespace sigplat::win {

namespace {

std::string TextOf(HWND control) {
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

// The items of a list, asked through the control's own messages.
std::vector<std::string> Items(HWND control, UINT getCount, UINT getLength, UINT getText) {
  std::vector<std::string> items;
  LRESULT count = SendMessageA(control, getCount, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageA(control, getLength, static_cast<WPARAM>(i), 0);
    if (length < 0) break;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(control, getText, static_cast<WPARAM>(i),
                                  reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0 || copied > length) copied = length;
    text.resize(static_cast<size_t>(copied));
    items.push_back(text);
  }
  return items;
}

// Shown or enabled as the user finds it: the control and its parents up to
// the dialog.
bool AllUpToDialog(HWND dialog, HWND control, DWORD flag, bool set) {
  for (Window* w = FindWindowRecord(control); w && w->handle != dialog;
       w = FindWindowRecord(w->parent)) {
    if (((w->style & flag) != 0) != set) return false;
  }
  return true;
}

}  // namespace

std::vector<sigplat::ControlState> ControlStates(HWND dialog) {
  std::vector<sigplat::ControlState> states;
  Window* d = FindWindowRecord(dialog);
  if (!d) return states;
  std::vector<HWND> children = d->children;
  for (HWND child : children) {
    Window* w = FindWindowRecord(child);
    if (!w) continue;
    sigplat::ControlState s;
    s.id = static_cast<int>(w->id);
    s.windowClass = w->windowClass->name;
    s.style = w->style;
    s.text = TextOf(child);
    s.visible = AllUpToDialog(dialog, child, WS_VISIBLE, true);
    s.enabled = AllUpToDialog(dialog, child, WS_DISABLED, false);
    if (HasClass(child, "Button")) {
      s.checked = static_cast<int>(SendMessageA(child, BM_GETCHECK, 0, 0));
    } else if (HasClass(child, "ListBox")) {
      s.items = Items(child, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
      s.selected = static_cast<int>(SendMessageA(child, LB_GETCURSEL, 0, 0));
    } else if (HasClass(child, "ComboBox")) {
      s.items = Items(child, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
      s.selected = static_cast<int>(SendMessageA(child, CB_GETCURSEL, 0, 0));
    } else if (HasClass(child, "Static")) {
      s.icon = StaticIconId(child);
    }
    states.push_back(s);
  }
  return states;
}

}  // namespace sigplat::win
