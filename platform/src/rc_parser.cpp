// The subset of the resource-script language: #define, #include of the system
// headers (their names come from the platform's own table), DIALOG and
// DIALOGEX with their control statements, STRINGTABLE, BITMAP and ICON.
// Defaults follow rc.exe: each control statement implies a class and styles,
// every control is a visible child, a dialog without STYLE is a bordered
// pop-up with a system menu, CAPTION adds WS_CAPTION and FONT adds DS_SETFONT.
#include "rc_parser.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "rc_lexer.h"
#include "rc_symbols.h"

namespace sigplat::detail {
namespace {

bool SameKeyword(const std::string& a, const char* keyword) {
  size_t n = std::char_traits<char>::length(keyword);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != keyword[i]) return false;
  }
  return true;
}

struct ControlKind {
  const char* keyword;
  const char* windowClass;
  DWORD style;         // implied, besides WS_CHILD | WS_VISIBLE
  bool hasText;        // "text," before the id
  DWORD kindMask = 0;  // bits of the implied style that a given style's own kind replaces
};

const ControlKind kControlKinds[] = {
    {"LTEXT", "STATIC", SS_LEFT | WS_GROUP, true},
    {"RTEXT", "STATIC", SS_RIGHT | WS_GROUP, true},
    {"CTEXT", "STATIC", SS_CENTER | WS_GROUP, true},
    {"PUSHBUTTON", "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {"CHECKBOX", "BUTTON", BS_CHECKBOX | WS_TABSTOP, true},
    {"AUTOCHECKBOX", "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"STATE3", "BUTTON", BS_3STATE | WS_TABSTOP, true},
    {"AUTO3STATE", "BUTTON", BS_AUTO3STATE | WS_TABSTOP, true},
    {"RADIOBUTTON", "BUTTON", BS_RADIOBUTTON | WS_TABSTOP, true},
    {"AUTORADIOBUTTON", "BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, true},
    {"GROUPBOX", "BUTTON", BS_GROUPBOX, true},
    {"EDITTEXT", "EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
    {"LISTBOX", "LISTBOX", LBS_NOTIFY | WS_BORDER, false},
    // "CBS_DROPDOWN" makes a drop-down, not CBS_SIMPLE | CBS_DROPDOWN (a
    // drop-down list), as every rc.exe-compiled dialog shows.
    {"COMBOBOX", "COMBOBOX", CBS_SIMPLE | WS_TABSTOP, false, CBS_DROPDOWNLIST},
    {"SCROLLBAR", "SCROLLBAR", SBS_HORZ, false},
};

// Class names a CONTROL statement may give in any case; rc stores them as
// the predefined classes.
const char* const kPredefinedClasses[] = {"BUTTON",  "EDIT",      "STATIC",
                                          "LISTBOX", "SCROLLBAR", "COMBOBOX"};

const char* const kMemoryFlags[] = {"DISCARDABLE", "MOVEABLE",   "FIXED",  "PURE",     "IMPURE",
                                    "PRELOAD",     "LOADONCALL", "SHARED", "NONSHARED"};

const DWORD kControlBase = WS_CHILD | WS_VISIBLE;
const int kMaxNesting = 256;  // parentheses and unary operators, far beyond any real script
const DWORD kDefaultDialogStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;

class Parser {
 public:
  Parser(const std::string& text, const std::string& fileName) : lexer_(text, fileName) {
    Advance();
  }

  ResourceScript Run() {
    while (tok_.kind != RcTokenKind::kEnd) Statement();
    return std::move(script_);
  }

 private:
  // --- tokens ---
  void Advance() {
    for (;;) {
      tok_ = lexer_.Next();
      if (tok_.kind != RcTokenKind::kDirective) return;
      Directive(tok_);
    }
  }

  [[noreturn]] void Fail(const std::string& message) const { lexer_.Fail(tok_.line, message); }

  std::string Describe(const RcToken& t) const {
    switch (t.kind) {
      case RcTokenKind::kEnd:
        return "the end of the file";
      case RcTokenKind::kString:
        return "string \"" + t.text + "\"";
      default:
        return "'" + t.text + "'";
    }
  }

  bool IsPunct(const char* p) const { return tok_.kind == RcTokenKind::kPunct && tok_.text == p; }
  bool IsKeyword(const char* k) const {
    return tok_.kind == RcTokenKind::kName && SameKeyword(tok_.text, k);
  }

  void ExpectPunct(const char* p, const char* what) {
    if (!IsPunct(p))
      Fail(std::string("expected '") + p + "' " + what + ", found " + Describe(tok_));
    Advance();
  }

  bool TakeComma() {
    if (!IsPunct(",")) return false;
    Advance();
    return true;
  }

  // A string, or a name that stands for one.
  std::string ExpectString(const char* what) {
    std::string text;
    if (tok_.kind != RcTokenKind::kString &&
        !(tok_.kind == RcTokenKind::kName && ResolveString(tok_.text, &text)))
      Fail(std::string("expected a string for ") + what + ", found " + Describe(tok_));
    if (tok_.kind == RcTokenKind::kString) text = tok_.text;
    Advance();
    return text;
  }

  bool ResolveString(const std::string& name, std::string* value) const {
    auto it = stringDefines_.find(name);
    if (it != stringDefines_.end()) {
      *value = it->second;
      return true;
    }
    return LookupRcStringSymbol(name, value);
  }

  bool IsStringName() const {
    std::string ignored;
    return tok_.kind == RcTokenKind::kName && ResolveString(tok_.text, &ignored);
  }

  // --- preprocessor ---
  void Directive(const RcToken& d) {
    std::string text = d.text;
    size_t start = text.find_first_not_of(" \t");
    size_t end = text.find_first_of(" \t", start);
    std::string word = start == std::string::npos ? "" : text.substr(start, end - start);
    std::string rest = end == std::string::npos ? "" : text.substr(end);
    rest.erase(0, rest.find_first_not_of(" \t"));
    if (word == "define") {
      Define(d.line, rest);
    } else if (word == "include") {
      // The system headers' names are all in the platform's own table; a
      // header of the project's would need a preprocessor this reader is not.
      if (rest.size() < 2 || rest.front() != '<' || rest.back() != '>') {
        lexer_.Fail(d.line, "#include " + rest +
                                " is not supported; only system headers (<windows.h>) are");
      }
    } else if (word == "pragma" && rest.compare(0, 9, "code_page") == 0) {
      // The platform keeps resource text 8-bit as written.
    } else {
      lexer_.Fail(d.line, "preprocessor directive #" + word + " is not supported");
    }
  }

  void Define(int line, const std::string& rest) {
    size_t nameEnd = 0;
    while (nameEnd < rest.size() &&
           (std::isalnum(static_cast<unsigned char>(rest[nameEnd])) || rest[nameEnd] == '_'))
      ++nameEnd;
    std::string name = rest.substr(0, nameEnd);
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
      lexer_.Fail(line, "#define needs a name");
    if (nameEnd < rest.size() && rest[nameEnd] == '(')
      lexer_.Fail(line, "#define of a macro with parameters is not supported");
    std::string body = rest.substr(nameEnd);
    Parser bodyParser(body, lexer_.FileName(), defines_, line);
    if (bodyParser.tok_.kind == RcTokenKind::kString) {
      std::string text = bodyParser.ExpectString("the #define");
      if (bodyParser.tok_.kind != RcTokenKind::kEnd)
        lexer_.Fail(line, "#define " + name + " must be a single string");
      auto [it, added] = stringDefines_.emplace(name, text);
      if (!added && it->second != text)
        lexer_.Fail(line, name + " is defined again with another value");
      return;
    }
    if (bodyParser.tok_.kind == RcTokenKind::kEnd)
      lexer_.Fail(line, "#define " + name + " needs a numeric value");
    uint32_t value = bodyParser.Value();
    if (bodyParser.tok_.kind != RcTokenKind::kEnd)
      lexer_.Fail(line, "#define " + name + " must be a number or a numeric expression");
    auto [it, added] = defines_.emplace(name, value);
    if (!added && it->second != value)
      lexer_.Fail(line, name + " is defined again with another value");
  }

  // A parser over one #define's body, sharing the names defined so far and
  // reporting errors on the directive's line.
  Parser(const std::string& body, const std::string& fileName,
         const std::map<std::string, uint32_t>& defines, int line)
      : lexer_(body, fileName, line), defines_(defines) {
    Advance();
  }

  // --- numeric expressions: | & + - ~ unary minus, parentheses ---
  uint32_t Value() {
    uint32_t v = AndValue();
    while (IsPunct("|")) {
      Advance();
      v |= AndValue();
    }
    return v;
  }

  uint32_t AndValue() {
    uint32_t v = SumValue();
    while (IsPunct("&")) {
      Advance();
      v &= SumValue();
    }
    return v;
  }

  uint32_t SumValue() {
    uint32_t v = Unary();
    for (;;) {
      if (IsPunct("+")) {
        Advance();
        v += Unary();
      } else if (IsPunct("-")) {
        Advance();
        v -= Unary();
      } else {
        return v;
      }
    }
  }

  uint32_t Unary() {
    if (++depth_ > kMaxNesting) Fail("expression nested too deeply");
    uint32_t v = UnaryTerm();
    --depth_;
    return v;
  }

  uint32_t UnaryTerm() {
    if (IsPunct("-")) {
      Advance();
      return 0u - Unary();
    }
    if (IsPunct("~")) {
      Advance();
      return ~Unary();
    }
    if (IsPunct("(")) {
      Advance();
      uint32_t v = Value();
      ExpectPunct(")", "to close the parenthesis");
      return v;
    }
    if (tok_.kind == RcTokenKind::kNumber) {
      uint32_t v = tok_.number;
      Advance();
      return v;
    }
    if (tok_.kind == RcTokenKind::kName) {
      uint32_t v = 0;
      if (!Resolve(tok_.text, &v)) Fail("unknown name '" + tok_.text + "'");
      Advance();
      return v;
    }
    Fail("expected a number, found " + Describe(tok_));
  }

  bool Resolve(const std::string& name, uint32_t* value) const {
    auto it = defines_.find(name);
    if (it != defines_.end()) {
      *value = it->second;
      return true;
    }
    return LookupRcSymbol(name, value);
  }

  // A style field: terms joined by '|', each ORed into the style, or with NOT
  // cleared from it, starting from the statement's implied style.
  DWORD Style(DWORD base) {
    DWORD style = base;
    for (;;) {
      if (IsKeyword("NOT")) {
        Advance();
        style &= ~Unary();
      } else {
        style |= AndValue();
      }
      if (!IsPunct("|")) return style;
      Advance();
    }
  }

  int Coordinate() { return static_cast<int16_t>(static_cast<uint16_t>(Value() & 0xFFFF)); }

  // --- statements ---
  void Statement() {
    if (IsKeyword("STRINGTABLE")) return StringTable();
    if (tok_.kind == RcTokenKind::kName) {
      uint32_t ignored;
      if (!Resolve(tok_.text, &ignored)) {
        Fail("'" + tok_.text + "' is not a defined id; named resources are not supported");
      }
    }
    int line = tok_.line;
    uint32_t id = Value();
    if (id == 0 || id > 0xFFFF)
      lexer_.Fail(line, "resource id " + std::to_string(id) + " is out of range");
    if (tok_.kind != RcTokenKind::kName) Fail("expected a resource type, found " + Describe(tok_));
    if (IsKeyword("DIALOG")) return Dialog(static_cast<int>(id), false, line);
    if (IsKeyword("DIALOGEX")) return Dialog(static_cast<int>(id), true, line);
    if (IsKeyword("BITMAP")) return File(static_cast<int>(id), script_.bitmapFiles, "BITMAP", line);
    if (IsKeyword("ICON")) return File(static_cast<int>(id), script_.iconFiles, "ICON", line);
    Fail("resource type " + tok_.text + " is not supported");
  }

  void SkipMemoryFlags() {
    while (tok_.kind == RcTokenKind::kName &&
           std::any_of(std::begin(kMemoryFlags), std::end(kMemoryFlags),
                       [&](const char* flag) { return SameKeyword(tok_.text, flag); }))
      Advance();
  }

  void File(int id, std::map<int, std::string>& files, const char* type, int line) {
    Advance();
    SkipMemoryFlags();
    std::string file = ExpectString("the file name (write it in quotes)");
    if (!files.emplace(id, file).second)
      lexer_.Fail(line, std::string(type) + " " + std::to_string(id) + " is defined twice");
  }

  void ExpectBegin(const char* what) {
    if (IsKeyword("BEGIN") || IsPunct("{")) return Advance();
    Fail(std::string("expected BEGIN ") + what + ", found " + Describe(tok_));
  }

  bool AtEnd() const { return IsKeyword("END") || IsPunct("}"); }

  void StringTable() {
    Advance();
    SkipMemoryFlags();
    ExpectBegin("to open the string table");
    while (!AtEnd()) {
      if (tok_.kind == RcTokenKind::kEnd) Fail("string table is not closed with END");
      int line = tok_.line;
      uint32_t id = Value();
      if (id > 0xFFFF) lexer_.Fail(line, "string id " + std::to_string(id) + " is out of range");
      TakeComma();
      std::string text = ExpectString("the string table entry");
      if (!script_.strings.emplace(static_cast<UINT>(id), text).second)
        lexer_.Fail(line, "string " + std::to_string(id) + " is defined twice");
    }
    Advance();
  }

  void Dialog(int id, bool extended, int line) {
    DialogTemplate dialog;
    dialog.id = id;
    dialog.extended = extended;
    Advance();
    SkipMemoryFlags();
    dialog.x = Coordinate();
    ExpectPunct(",", "after the dialog's x");
    dialog.y = Coordinate();
    ExpectPunct(",", "after the dialog's y");
    dialog.cx = Coordinate();
    ExpectPunct(",", "after the dialog's width");
    dialog.cy = Coordinate();
    if (extended && TakeComma()) dialog.helpId = Value();

    bool styled = false;
    for (;;) {
      if (IsKeyword("STYLE")) {
        Advance();
        dialog.style = Style(0);
        styled = true;
      } else if (IsKeyword("EXSTYLE")) {
        Advance();
        dialog.exStyle = Style(0);
      } else if (IsKeyword("CAPTION")) {
        Advance();
        dialog.caption = ExpectString("CAPTION");
      } else if (IsKeyword("FONT")) {
        Advance();
        Font(&dialog);
      } else if (IsKeyword("CLASS")) {
        Advance();
        dialog.className = NameOrOrdinal("CLASS");
      } else if (IsKeyword("MENU")) {
        Advance();
        dialog.menu = NameOrOrdinal("MENU");
      } else {
        break;
      }
    }
    if (!styled) dialog.style = kDefaultDialogStyle;
    if (!dialog.caption.empty()) dialog.style |= WS_CAPTION;
    if (!dialog.fontFace.empty()) dialog.style |= DS_SETFONT;

    ExpectBegin("to open the dialog's controls");
    while (!AtEnd()) {
      if (tok_.kind == RcTokenKind::kEnd)
        Fail("dialog " + std::to_string(id) + " is not closed with END");
      dialog.controls.push_back(Control(extended));
    }
    Advance();
    if (!script_.dialogs.emplace(id, std::move(dialog)).second)
      lexer_.Fail(line, "dialog " + std::to_string(id) + " is defined twice");
  }

  void Font(DialogTemplate* dialog) {
    dialog->fontPointSize = static_cast<int>(Value());
    ExpectPunct(",", "between the font size and face");
    dialog->fontFace = ExpectString("the font face");
    if (dialog->fontFace.empty()) Fail("the font face is empty");
    if (!IsPunct(",")) return;
    if (!dialog->extended) Fail("font weight, italic and charset need DIALOGEX");
    Advance();
    dialog->fontWeight = static_cast<int>(Value());
    if (!TakeComma()) return;
    dialog->fontItalic = Value() != 0;
    if (!TakeComma()) return;
    dialog->fontCharset = static_cast<int>(Value());
  }

  std::string NameOrOrdinal(const char* what) {
    if (tok_.kind == RcTokenKind::kString || IsStringName()) return ExpectString(what);
    return "#" + std::to_string(Value() & 0xFFFF);
  }

  int ControlId(bool extended) {
    uint32_t v = Value();
    if (!extended) v &= 0xFFFF;
    if (v == 0xFFFF || v == 0xFFFFFFFFu) return IDC_STATIC;
    return static_cast<int>(v);
  }

  // The text of a control: a string, or a resource id written "#n".
  std::string ControlText() {
    if (tok_.kind == RcTokenKind::kString || IsStringName())
      return ExpectString("the control's text");
    return "#" + std::to_string(Value() & 0xFFFF);
  }

  void Geometry(DialogControl* c, bool sized) {
    c->x = Coordinate();
    ExpectPunct(",", "after the control's x");
    c->y = Coordinate();
    if (!sized) return;
    ExpectPunct(",", "after the control's y");
    c->cx = Coordinate();
    ExpectPunct(",", "after the control's width");
    c->cy = Coordinate();
  }

  void ExtendedTail(DialogControl* c, bool extended) {
    if (TakeComma()) {
      c->exStyle = Style(0);
      if (TakeComma()) {
        if (!extended) Fail("a control's help id needs DIALOGEX");
        c->helpId = Value();
      }
    }
    if (IsKeyword("BEGIN") || IsPunct("{")) Fail("control data blocks are not supported");
  }

  DialogControl Control(bool extended) {
    if (tok_.kind != RcTokenKind::kName)
      Fail("expected a control statement, found " + Describe(tok_));
    DialogControl c;
    if (IsKeyword("CONTROL")) {
      Advance();
      c.text = ControlText();
      ExpectPunct(",", "after the control's text");
      c.id = ControlId(extended);
      ExpectPunct(",", "after the control's id");
      c.windowClass = ClassName();
      ExpectPunct(",", "after the control's class");
      c.style = Style(kControlBase);
      ExpectPunct(",", "after the control's style");
      Geometry(&c, true);
      ExtendedTail(&c, extended);
      return c;
    }
    if (IsKeyword("ICON")) {
      Advance();
      c.windowClass = "STATIC";
      c.text = ControlText();
      ExpectPunct(",", "after the icon");
      c.id = ControlId(extended);
      ExpectPunct(",", "after the control's id");
      Geometry(&c, false);
      c.style = kControlBase | SS_ICON;
      if (TakeComma()) {
        c.cx = Coordinate();
        ExpectPunct(",", "after the icon's width");
        c.cy = Coordinate();
        if (TakeComma()) c.style = Style(c.style);
        ExtendedTail(&c, extended);
      }
      return c;
    }
    auto kind =
        std::find_if(std::begin(kControlKinds), std::end(kControlKinds),
                     [&](const ControlKind& k) { return SameKeyword(tok_.text, k.keyword); });
    if (kind == std::end(kControlKinds))
      Fail("control statement " + tok_.text + " is not supported");
    Advance();
    c.windowClass = kind->windowClass;
    if (kind->hasText) {
      c.text = ControlText();
      ExpectPunct(",", "after the control's text");
    }
    c.id = ControlId(extended);
    ExpectPunct(",", "after the control's id");
    Geometry(&c, true);
    c.style = kControlBase | kind->style;
    if (TakeComma()) {
      DWORD given = Style(c.style & ~kind->kindMask);
      c.style = (given & kind->kindMask) ? given : given | (kind->style & kind->kindMask);
      ExtendedTail(&c, extended);
    }
    return c;
  }

  // A string, a name standing for one, or a predefined class's bare name.
  std::string ClassName() {
    std::string name;
    if (tok_.kind == RcTokenKind::kString || IsStringName()) {
      name = ExpectString("the control's class");
    } else if (tok_.kind == RcTokenKind::kName &&
               std::any_of(std::begin(kPredefinedClasses), std::end(kPredefinedClasses),
                           [&](const char* c) { return SameKeyword(tok_.text, c); })) {
      name = tok_.text;
      Advance();
    } else {
      Fail("expected the control's class, found " + Describe(tok_));
    }
    for (const char* predefined : kPredefinedClasses) {
      if (SameKeyword(name, predefined)) return predefined;
    }
    return name;
  }

  RcLexer lexer_;
  RcToken tok_;
  std::map<std::string, uint32_t> defines_;
  std::map<std::string, std::string> stringDefines_;
  ResourceScript script_;
  int depth_ = 0;
};

}  // namespace

ResourceScript ParseRcScript(const std::string& text, const std::string& fileName) {
  return Parser(text, fileName).Run();
}

}  // namespace sigplat::detail

namespace sigplat {

SIGPLAT_API bool ParseResourceScript(const std::string& text, const std::string& fileName,
                                    ResourceScript* script, std::string* error) {
  try {
    *script = detail::ParseRcScript(text, fileName);
    return true;
  } catch (const detail::RcError& e) {
    *error = e.what();
    return false;
  }
}

}  // namespace sigplat
