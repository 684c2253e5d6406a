// The LISTBOX class, single selection: strings (sorted on adding with
// LBS_SORT), the searches, the selection, and with LBS_NOTIFY the
// notifications of what the user does.
#include <string>

#include "control_actions.h"
#include "control_support.h"
#include "list_items.h"
#include "unsupported.h"

namespace sigplat::win {

namespace {

struct ListBoxState : ControlState {
  ItemList list;  // the items and the selected one
};

bool Notifies(HWND hwnd) { return (StyleOf(hwnd) & LBS_NOTIFY) != 0; }

std::string TextParam(LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text ? text : "";
}

// Windows answers LB_SETCURSEL with LB_ERR when it clears the selection too.
LRESULT OnSetCurSel(ListBoxState& s, WPARAM wParam) {
  int index = static_cast<int>(wParam);
  if (!s.list.Select(index)) return LB_ERR;
  return index;
}

LRESULT OnSelectString(ListBoxState& s, WPARAM wParam, LPARAM lParam) {
  int index = s.list.Find(static_cast<int>(wParam), TextParam(lParam), false);
  if (index == -1) return LB_ERR;
  s.list.Select(index);
  return index;
}

LRESULT OnGetText(const ListBoxState& s, WPARAM wParam, LPARAM lParam) {
  int index = static_cast<int>(wParam);
  if (!s.list.Has(index)) return LB_ERR;
  return CopyToUnsizedBuffer(s.list.At(index).text, lParam);
}

LRESULT OnSetItemData(ListBoxState& s, WPARAM wParam, LPARAM lParam) {
  int index = static_cast<int>(wParam);
  if (index == -1) {
    for (int i = 0; i < s.list.Count(); ++i) s.list.At(i).data = lParam;
    return LB_OKAY;
  }
  if (!s.list.Has(index)) return LB_ERR;
  s.list.At(index).data = lParam;
  return LB_OKAY;
}

// Multiple selection is not implemented; a list box that asks for it is
// refused at creation rather than behave as a single-selection one.
LRESULT OnCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    ReportFailure("ListBox", "multiple-selection list boxes are not supported",
                  ERROR_NOT_SUPPORTED);
    return -1;
  }
  return DefWindowProcA(hwnd, WM_CREATE, wParam, lParam);
}

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    AttachControlState<ListBoxState>(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  ListBoxState* s = ControlStateOf<ListBoxState>(hwnd);
  if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE:
      return OnCreate(hwnd, wParam, lParam);
    case WM_SETFOCUS:
      if (Notifies(hwnd)) NotifyParent(hwnd, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (Notifies(hwnd)) NotifyParent(hwnd, LBN_KILLFOCUS);
      return 0;
    case LB_ADDSTRING:
      return s->list.Add(TextParam(lParam), (StyleOf(hwnd) & LBS_SORT) != 0);
    case LB_INSERTSTRING:
      return s->list.Insert(static_cast<int>(wParam), TextParam(lParam));
    case LB_DELETESTRING:
      return s->list.Delete(static_cast<int>(wParam));
    case LB_RESETCONTENT:
      s->list.Reset();
      return 0;
    case LB_GETCOUNT:
      return s->list.Count();
    case LB_GETTEXT:
      return OnGetText(*s, wParam, lParam);
    case LB_GETTEXTLEN:
      return s->list.Has(static_cast<int>(wParam))
                 ? static_cast<LRESULT>(s->list.At(static_cast<int>(wParam)).text.size())
                 : LB_ERR;
    case LB_FINDSTRING:
      return s->list.Find(static_cast<int>(wParam), TextParam(lParam), false);
    case LB_FINDSTRINGEXACT:
      return s->list.Find(static_cast<int>(wParam), TextParam(lParam), true);
    case LB_SETCURSEL:
      return OnSetCurSel(*s, wParam);
    case LB_GETCURSEL:
      return s->list.Selected();
    case LB_GETSEL:
      if (!s->list.Has(static_cast<int>(wParam))) return LB_ERR;
      return s->list.Selected() == static_cast<int>(wParam);
    case LB_SELECTSTRING:
      return OnSelectString(*s, wParam, lParam);
    case LB_GETITEMDATA:
      return s->list.Has(static_cast<int>(wParam)) ? s->list.At(static_cast<int>(wParam)).data
                                                   : LB_ERR;
    case LB_SETITEMDATA:
      return OnSetItemData(*s, wParam, lParam);
    default:
      break;
  }
  if (msg >= LB_ADDSTRING && msg <= 0x01AF) return UnsupportedControlMessage("ListBox", msg);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

[[maybe_unused]] const ATOM kListBoxClass =
    RegisterSystemClass("ListBox", ListBoxProc, 0, CS_GLOBALCLASS);

}  // namespace

void ListBoxUserSelect(HWND listBox, int index, bool doubleClick) {
  SetFocus(listBox);
  SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (!Notifies(listBox)) return;
  NotifyParent(listBox, LBN_SELCHANGE);
  if (doubleClick && IsWindow(listBox)) NotifyParent(listBox, LBN_DBLCLK);
}

}  // namespace sigplat::win
