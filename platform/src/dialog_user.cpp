// The user in a dialog: each step carried out as a person would with mouse
// and keyboard, refused when a person could not take it.
#include <string>
#include <vector>

#include "case_fold.h"
#include "control_actions.h"
#include "control_support.h"
#include "dialog_internal.h"

namespace sigplat::win {

namespace {

using Kind = DialogStep::Kind;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

DWORD ButtonType(HWND button) { return StyleOf(button) & BS_TYPEMASK; }

bool IsCheckable(HWND control) {
  if (!HasClass(control, "Button")) return false;
  switch (ButtonType(control)) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

bool IsRadio(HWND control) {
  DWORD type = ButtonType(control);
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The control a step names, usable by a person; empty when it is, else why not.
std::string Reach(HWND dialog, int id, HWND* control) {
  *control = FindDialogItem(dialog, id);
  if (!*control) return "no control " + std::to_string(id);
  return WhyUnusable(dialog, *control);
}

std::string Click(HWND dialog, int id) {
  HWND button;
  std::string why = Reach(dialog, id, &button);
  if (!why.empty()) return why;
  if (!HasClass(button, "Button")) return "the control is not a button";
  if (ButtonType(button) == BS_GROUPBOX) return "a group box cannot be clicked";
  SendMessageA(button, BM_CLICK, 0, 0);
  return "";
}

// Clicks until the box shows the wanted state, as a person clicks a
// three-state box round; a click that changes nothing ends the attempt.
std::string SetCheck(HWND dialog, int id, bool wanted) {
  HWND button;
  std::string why = Reach(dialog, id, &button);
  if (!why.empty()) return why;
  if (!IsCheckable(button)) return "the control is not a check box or radio button";
  auto state = [button] { return static_cast<int>(SendMessageA(button, BM_GETCHECK, 0, 0)); };
  if ((state() == BST_CHECKED) == wanted) return "";
  if (!wanted && IsRadio(button)) return "a radio button cannot be unchecked by clicking it";
  for (int clicks = 0; clicks < 3 && IsWindow(button); ++clicks) {
    int before = state();
    SendMessageA(button, BM_CLICK, 0, 0);
    if (!IsWindow(button) || (state() == BST_CHECKED) == wanted) return "";
    if (state() == before) break;
  }
  if (!IsWindow(button)) return "";
  return wanted ? "the control stayed unchecked" : "the control stayed checked";
}

// Select all, then type each character; nothing to type is a Backspace.
std::string Type(HWND dialog, int id, const std::string& text) {
  HWND edit;
  std::string why = Reach(dialog, id, &edit);
  if (!why.empty()) return why;
  Window* w = FindWindowRecord(edit);
  bool editable =
      HasClass(edit, "Edit") || StartsWithIgnoringCase(w->windowClass->name, "RichEdit");
  if (!editable) return "the control is not an edit control";
  if (StyleOf(edit) & ES_READONLY) return "the control is read-only";
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageA(edit, WM_CHAR, '\b', 0);
  for (char c : text) {
    if (!IsWindow(edit)) break;
    SendMessageA(edit, WM_CHAR,
                 static_cast<WPARAM>(static_cast<unsigned char>(c == '\n' ? '\r' : c)), 1);
  }
  return "";
}

// The list box holding an item with exactly that text (case aside). A list
// box the user can reach wins over one that is hidden or disabled.
std::string SelectItem(HWND dialog, const std::string& text, bool doubleClick) {
  Window* w = FindWindowRecord(dialog);
  std::string firstReason;
  bool anyList = false;
  std::vector<HWND> children = w ? w->children : std::vector<HWND>();
  for (HWND child : children) {
    if (!HasClass(child, "ListBox")) continue;
    anyList = true;
    LRESULT index = SendMessageA(child, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR) continue;
    std::string why = WhyUnusable(dialog, child);
    if (why.empty()) {
      ListBoxUserSelect(child, static_cast<int>(index), doubleClick);
      return "";
    }
    if (firstReason.empty()) firstReason = why;
  }
  if (!firstReason.empty()) return firstReason;
  return anyList ? "no list item " + Quoted(text) : "the dialog has no list box";
}

std::string Pick(HWND dialog, int id, const std::string& text) {
  HWND combo;
  std::string why = Reach(dialog, id, &combo);
  if (!why.empty()) return why;
  if (!HasClass(combo, "ComboBox")) return "the control is not a combo box";
  LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text.c_str()));
  if (index == CB_ERR) return "no entry " + Quoted(text);
  ComboBoxUserPick(combo, static_cast<int>(index));
  return "";
}

// F1 on the control: it takes the focus, then asks for help; a control's
// default procedure passes the request up to the dialog.
std::string Help(HWND dialog, int id) {
  HWND control;
  std::string why = Reach(dialog, id, &control);
  if (!why.empty()) return why;
  SetFocus(control);
  RECT r{};
  GetWindowRect(control, &r);
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = id;
  info.hItemHandle = control;
  info.MousePos = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  SendMessageA(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  return "";
}

}  // namespace

std::string WhyUnusable(HWND dialog, HWND control) {
  bool hidden = false, disabled = false;
  for (Window* w = FindWindowRecord(control); w; w = FindWindowRecord(w->parent)) {
    if (!(w->style & WS_VISIBLE)) hidden = true;
    if (w->style & WS_DISABLED) disabled = true;
    if (w->handle == dialog) break;
  }
  if (hidden) return "the control is hidden";
  if (disabled) return "the control is disabled";
  return "";
}

std::string DescribeStep(const DialogStep& s) {
  std::string id = std::to_string(s.control);
  switch (s.kind) {
    case Kind::Select:
      return "select " + Quoted(s.text);
    case Kind::DoubleClick:
      return "double-click " + Quoted(s.text);
    case Kind::Click:
      return "click " + id;
    case Kind::Check:
      return "check " + id;
    case Kind::Uncheck:
      return "uncheck " + id;
    case Kind::Type:
      return "type " + id + " " + Quoted(s.text);
    case Kind::Pick:
      return "pick " + id + " " + Quoted(s.text);
    case Kind::Date:
      return "date " + id + " " + std::to_string(s.year) + "-" + TwoDigits(s.month) + "-" +
             TwoDigits(s.day);
    case Kind::Page:
      return "page " + std::to_string(s.page);
    case Kind::Apply:
      return "apply";
    case Kind::Ok:
      return "ok";
    case Kind::Cancel:
      return "cancel";
    case Kind::Close:
      return "close";
    case Kind::Help:
      return "help " + id;
  }
  return "step " + std::to_string(static_cast<int>(s.kind));
}

std::string CarryOutStep(HWND dialog, const DialogStep& s) {
  switch (s.kind) {
    case Kind::Select:
      return SelectItem(dialog, s.text, false);
    case Kind::DoubleClick:
      return SelectItem(dialog, s.text, true);
    case Kind::Click:
      return Click(dialog, s.control);
    case Kind::Check:
      return SetCheck(dialog, s.control, true);
    case Kind::Uncheck:
      return SetCheck(dialog, s.control, false);
    case Kind::Type:
      return Type(dialog, s.control, s.text);
    case Kind::Pick:
      return Pick(dialog, s.control, s.text);
    case Kind::Close:
      PressCloseBox(dialog);
      return "";
    case Kind::Help:
      return Help(dialog, s.control);
    case Kind::Date:
    case Kind::Page:
    case Kind::Apply:
    case Kind::Ok:
    case Kind::Cancel:
      return "not available yet";
  }
  return "unknown step";
}

std::string PressCloseBox(HWND dialog) {
  if (StyleOf(dialog) & WS_SYSMENU) {
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return "close";
  }
  SendMessageA(dialog, WM_COMMAND, IDCANCEL,
               reinterpret_cast<LPARAM>(FindDialogItem(dialog, IDCANCEL)));
  return "close (Esc: the dialog has no close box)";
}

// The default button's command if the button is missing or enabled; IDOK
// when the dialog names no default button.
std::string PressEnter(HWND dialog) {
  LRESULT defId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(defId) == DC_HASDEFID) {
    int id = LOWORD(defId);
    HWND button = FindDialogItem(dialog, id);
    if (button && !IsWindowEnabled(button)) {
      return "enter (the default button " + std::to_string(id) + " is disabled)";
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return "enter (default button " + std::to_string(id) + ")";
  }
  SendMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(FindDialogItem(dialog, IDOK)));
  return "enter (no default button: OK)";
}

}  // namespace sigplat::win
