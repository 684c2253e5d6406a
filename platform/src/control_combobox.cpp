// The COMBOBOX class. The list part is an item list as in a list box; the
// field shows the selected entry. A drop-down list (CBS_DROPDOWNLIST) has no
// edit field, so its window text is the selected entry and cannot be set;
// the other kinds keep the field's text, which selecting an entry replaces.
// The drop-down part is not a window of its own here.
#include <algorithm>
#include <string>

#include "control_actions.h"
#include "control_support.h"
#include "list_items.h"

namespace sigplat::win {

namespace {

constexpr DWORD kKindMask = 0x3;  // CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST

struct ComboBoxState : ControlState {
  ItemList list;      // the entries and the selected one
  std::string field;  // the edit field's text (not for a drop-down list)
};

bool IsDropDownList(HWND hwnd) { return (StyleOf(hwnd) & kKindMask) == CBS_DROPDOWNLIST; }

std::string TextParam(LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text ? text : "";
}

std::string Shown(HWND hwnd, const ComboBoxState& s) {
  if (!IsDropDownList(hwnd)) return s.field;
  return s.list.Has(s.list.Selected()) ? s.list.At(s.list.Selected()).text : std::string();
}

// The field follows the selection.
bool Select(HWND hwnd, ComboBoxState& s, int index) {
  if (!s.list.Select(index)) return false;
  if (!IsDropDownList(hwnd)) s.field = index == -1 ? std::string() : s.list.At(index).text;
  return true;
}

LRESULT OnGetText(HWND hwnd, const ComboBoxState& s, WPARAM size, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  if (!buffer || size == 0) return 0;
  std::string text = Shown(hwnd, s);
  size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
  text.copy(buffer, count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT OnSetText(HWND hwnd, ComboBoxState& s, LPARAM lParam) {
  if (IsDropDownList(hwnd)) return CB_ERR;
  s.field = TextParam(lParam);
  return TRUE;
}

LRESULT OnSetCurSel(HWND hwnd, ComboBoxState& s, WPARAM wParam) {
  int index = static_cast<int>(wParam);
  if (!Select(hwnd, s, index)) return CB_ERR;
  return index;
}

LRESULT OnSelectString(HWND hwnd, ComboBoxState& s, WPARAM wParam, LPARAM lParam) {
  int index = s.list.Find(static_cast<int>(wParam), TextParam(lParam), false);
  if (index == -1) return CB_ERR;
  Select(hwnd, s, index);
  return index;
}

LRESULT OnGetLbText(const ComboBoxState& s, WPARAM wParam, LPARAM lParam) {
  int index = static_cast<int>(wParam);
  if (!s.list.Has(index)) return CB_ERR;
  return CopyToUnsizedBuffer(s.list.At(index).text, lParam);
}

LRESULT OnSetItemData(ComboBoxState& s, WPARAM wParam, LPARAM lParam) {
  int index = static_cast<int>(wParam);
  if (!s.list.Has(index)) return CB_ERR;
  s.list.At(index).data = lParam;
  return CB_OKAY;
}

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  ComboBoxState* s = AttachControlState<ComboBoxState>(hwnd);
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  if (s && cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) && !IsDropDownList(hwnd)) {
    s->field = cs->lpszName;
  }
  return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) return OnNcCreate(hwnd, wParam, lParam);
  ComboBoxState* s = ControlStateOf<ComboBoxState>(hwnd);
  if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
  int index = static_cast<int>(wParam);
  switch (msg) {
    case WM_SETTEXT:
      return OnSetText(hwnd, *s, lParam);
    case WM_GETTEXT:
      return OnGetText(hwnd, *s, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Shown(hwnd, *s).size());
    case WM_SETFOCUS:
      NotifyParent(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParent(hwnd, CBN_KILLFOCUS);
      return 0;
    case CB_ADDSTRING:
      return s->list.Add(TextParam(lParam), (StyleOf(hwnd) & CBS_SORT) != 0);
    case CB_INSERTSTRING:
      return s->list.Insert(index, TextParam(lParam));
    case CB_DELETESTRING:
      return s->list.Delete(index);
    case CB_RESETCONTENT:
      s->list.Reset();
      if (!IsDropDownList(hwnd)) s->field.clear();
      return CB_OKAY;
    case CB_GETCOUNT:
      return s->list.Count();
    case CB_GETCURSEL:
      return s->list.Selected();
    case CB_SETCURSEL:
      return OnSetCurSel(hwnd, *s, wParam);
    case CB_GETLBTEXT:
      return OnGetLbText(*s, wParam, lParam);
    case CB_GETLBTEXTLEN:
      return s->list.Has(index) ? static_cast<LRESULT>(s->list.At(index).text.size()) : CB_ERR;
    case CB_FINDSTRING:
      return s->list.Find(index, TextParam(lParam), false);
    case CB_FINDSTRINGEXACT:
      return s->list.Find(index, TextParam(lParam), true);
    case CB_SELECTSTRING:
      return OnSelectString(hwnd, *s, wParam, lParam);
    case CB_GETITEMDATA:
      return s->list.Has(index) ? s->list.At(index).data : CB_ERR;
    case CB_SETITEMDATA:
      return OnSetItemData(*s, wParam, lParam);
    default:
      break;
  }
  if (msg >= 0x0140 && msg <= 0x016F) return UnsupportedControlMessage("ComboBox", msg);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

[[maybe_unused]] const ATOM kComboBoxClass =
    RegisterSystemClass("ComboBox", ComboBoxProc, 0, CS_GLOBALCLASS);

}  // namespace

void ComboBoxUserPick(HWND comboBox, int index) {
  SetFocus(comboBox);
  SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  NotifyParent(comboBox, CBN_SELCHANGE);
}

}  // namespace sigplat::win
