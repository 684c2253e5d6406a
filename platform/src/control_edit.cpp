// The EDIT class, single and multi line: its text, the selection, the limit
// on what the user may type, and the notifications a parent hears. Typing
// arrives as WM_CHAR, one character at a time, as from the keyboard.
#include <algorithm>
#include <cctype>
#include <string>

#include "control_support.h"

namespace sigplat::win {

namespace {

constexpr size_t kDefaultLimit = 30000;            // until EM_LIMITTEXT says otherwise
constexpr size_t kSingleLineMaximum = 0x7FFFFFFE;  // EM_LIMITTEXT 0, single line
constexpr size_t kMultiLineMaximum = 0xFFFFFFFF;   // EM_LIMITTEXT 0, multi line

struct EditState : ControlState {
  std::string text;              // the contents; a multi-line control keeps CR LF line ends
  size_t anchor = 0;             // where the selection started
  size_t caret = 0;              // where it ends: the caret
  size_t limit = kDefaultLimit;  // most characters the user may enter
  bool modified = false;         // the user or EM_REPLACESEL changed the text (EM_GETMODIFY)
};

size_t SelStart(const EditState& s) { return std::min(s.anchor, s.caret); }
size_t SelEnd(const EditState& s) { return std::max(s.anchor, s.caret); }

bool IsMultiLine(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }

std::string CaseForStyle(HWND hwnd, std::string text) {
  DWORD style = StyleOf(hwnd);
  if (style & ES_UPPERCASE) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  } else if (style & ES_LOWERCASE) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

void Changed(HWND hwnd) {
  NotifyParent(hwnd, EN_UPDATE);
  NotifyParent(hwnd, EN_CHANGE);
}

// Replaces the selection, leaving the caret after the new text. With the
// limit honoured, text that does not fit is cut and the parent hears
// EN_MAXTEXT. Returns whether the text changed.
bool ReplaceSelection(HWND hwnd, EditState& s, std::string text, bool honourLimit) {
  size_t start = SelStart(s);
  size_t end = SelEnd(s);
  text = CaseForStyle(hwnd, std::move(text));
  bool cut = false;
  if (honourLimit) {
    size_t kept = s.text.size() - (end - start);
    size_t room = s.limit > kept ? s.limit - kept : 0;
    if (text.size() > room) {
      text.resize(room);
      cut = true;
    }
  }
  bool changed = end > start || !text.empty();
  s.text.replace(start, end - start, text);
  s.anchor = s.caret = start + text.size();
  if (cut) NotifyParent(hwnd, EN_MAXTEXT);
  return changed;
}

LRESULT OnSetText(HWND hwnd, EditState& s, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  s.text = CaseForStyle(hwnd, text ? text : "");
  s.anchor = s.caret = 0;
  s.modified = false;
  Changed(hwnd);
  return TRUE;
}

LRESULT OnGetText(const EditState& s, WPARAM size, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  if (!buffer || size == 0) return 0;
  size_t count = std::min(s.text.size(), static_cast<size_t>(size) - 1);
  s.text.copy(buffer, count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

// Returns both ends, smaller first, through the pointers and packed in the
// result (-1 when either does not fit in a word).
LRESULT OnGetSel(const EditState& s, WPARAM wParam, LPARAM lParam) {
  DWORD start = static_cast<DWORD>(SelStart(s));
  DWORD end = static_cast<DWORD>(SelEnd(s));
  if (auto* p = reinterpret_cast<DWORD*>(wParam)) *p = start;
  if (auto* p = reinterpret_cast<DWORD*>(lParam)) *p = end;
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return MAKELONG(start, end);
}

// A start of -1 drops the selection, keeping the caret; an end past the
// text (-1 included) means the end of the text.
LRESULT OnSetSel(EditState& s, WPARAM wParam, LPARAM lParam) {
  int start = static_cast<int>(wParam);
  int end = static_cast<int>(lParam);
  if (start == -1) {
    s.anchor = s.caret;
    return 0;
  }
  size_t length = s.text.size();
  auto clip = [length](int value) {
    return value < 0 ? length : std::min(static_cast<size_t>(value), length);
  };
  s.anchor = clip(start);
  s.caret = clip(end);
  return 0;
}

LRESULT OnReplaceSel(HWND hwnd, EditState& s, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  if (ReplaceSelection(hwnd, s, text ? text : "", true)) {
    s.modified = true;
    Changed(hwnd);
  }
  return 0;
}

LRESULT OnLimitText(HWND hwnd, EditState& s, WPARAM wParam) {
  if (wParam == 0) {
    s.limit = IsMultiLine(hwnd) ? kMultiLineMaximum : kSingleLineMaximum;
  } else {
    s.limit = static_cast<size_t>(wParam);
  }
  return 0;
}

// A key the user types: printable characters replace the selection,
// backspace deletes it (or the character before the caret), Enter starts a
// new line in a multi-line control. A read-only control, or a number-only
// one given a non-digit, refuses the key.
LRESULT OnChar(HWND hwnd, EditState& s, WPARAM wParam) {
  DWORD style = StyleOf(hwnd);
  if (style & ES_READONLY) return 0;
  char c = static_cast<char>(wParam);
  if (c == '\b') {
    if (SelStart(s) == SelEnd(s)) {
      if (s.caret == 0) return 0;
      s.anchor = s.caret - 1;
    }
    ReplaceSelection(hwnd, s, "", false);
  } else if (c == '\r' || c == '\n') {
    if (!(style & ES_MULTILINE)) return 0;
    if (!ReplaceSelection(hwnd, s, "\r\n", true)) return 0;
  } else {
    if (static_cast<unsigned char>(c) < 0x20) return 0;
    if ((style & ES_NUMBER) && !std::isdigit(static_cast<unsigned char>(c))) return 0;
    if (!ReplaceSelection(hwnd, s, std::string(1, c), true)) return 0;
  }
  s.modified = true;
  Changed(hwnd);
  return 0;
}

LRESULT OnSetReadOnly(HWND hwnd, WPARAM wParam) {
  if (Window* w = FindWindowRecord(hwnd)) {
    w->style = wParam ? (w->style | ES_READONLY) : (w->style & ~static_cast<DWORD>(ES_READONLY));
  }
  return TRUE;
}

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  EditState* s = AttachControlState<EditState>(hwnd);
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  if (s && cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
    s->text = CaseForStyle(hwnd, cs->lpszName);
  }
  return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT LineCount(const EditState& s, HWND hwnd) {
  if (!IsMultiLine(hwnd)) return 1;
  LRESULT lines = 1;
  for (size_t at = s.text.find("\r\n"); at != std::string::npos; at = s.text.find("\r\n", at + 2)) {
    ++lines;
  }
  return lines;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) return OnNcCreate(hwnd, wParam, lParam);
  EditState* s = ControlStateOf<EditState>(hwnd);
  if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_SETTEXT:
      return OnSetText(hwnd, *s, lParam);
    case WM_GETTEXT:
      return OnGetText(*s, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(s->text.size());
    case WM_CHAR:
      return OnChar(hwnd, *s, wParam);
    case WM_SETFOCUS:
      NotifyParent(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParent(hwnd, EN_KILLFOCUS);
      return 0;
    case EM_GETSEL:
      return OnGetSel(*s, wParam, lParam);
    case EM_SETSEL:
      return OnSetSel(*s, wParam, lParam);
    case EM_REPLACESEL:
      return OnReplaceSel(hwnd, *s, lParam);
    case EM_GETMODIFY:
      return s->modified;
    case EM_SETMODIFY:
      s->modified = wParam != 0;
      return 0;
    case EM_GETLINECOUNT:
      return LineCount(*s, hwnd);
    case EM_LIMITTEXT:
      return OnLimitText(hwnd, *s, wParam);
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(s->limit);
    case EM_SETREADONLY:
      return OnSetReadOnly(hwnd, wParam);
    default:
      break;
  }
  if (msg >= EM_GETSEL && msg <= 0x00DF) return UnsupportedControlMessage("Edit", msg);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

[[maybe_unused]] const ATOM kEditClass = RegisterSystemClass("Edit", EditProc, 0, CS_GLOBALCLASS);

}  // namespace

}  // namespace sigplat::win
