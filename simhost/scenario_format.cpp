#include "scenario_format.h"

#include <cstdio>

namespace simhost::scenario {

std::string quoteText(std::string_view text) {
  std::string q = "\"";
  for (char c : text) {
    switch (c) {
      case '\r': q += "\\r"; break;
      case '\n': q += "\\n"; break;
      case '\t': q += "\\t"; break;
      case '\\': q += "\\\\"; break;
      case '"': q += "\\\""; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X",
                        static_cast<unsigned>(static_cast<unsigned char>(c)));
          q += hex;
        } else {
          q += c;
        }
    }
  }
  return q + "\"";
}

namespace {

std::string colour(std::uint32_t bgr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%06X", static_cast<unsigned>(bgr));
  return buf;
}

std::string num(std::uint32_t n) { return std::to_string(n); }

const char* rootName(RegRoot r) { return r == RegRoot::Hklm ? "HKLM" : "HKCU"; }

std::string regData(const RegData& d, const char* noneWord) {
  switch (d.kind) {
    case RegData::Kind::Dword: return "dword " + num(d.dword);
    case RegData::Kind::Sz: return "sz " + quoteText(d.sz);
    case RegData::Kind::None: break;
  }
  return noneWord;
}

std::string valueKey(const ValueKey& k, std::string_view explicitWord) {
  switch (k.kind) {
    case ValueKey::Kind::Machine: return "machine";
    case ValueKey::Kind::User: return "user";
    case ValueKey::Kind::Explicit: break;
  }
  return std::string(explicitWord) + " " + rootName(k.root) + " " + quoteText(k.path);
}

std::string step(const Step& s) {
  using K = Step::Kind;
  std::string id = num(s.control);
  switch (s.kind) {
    case K::Select: return "select " + quoteText(s.text);
    case K::DoubleClick: return "double-click " + quoteText(s.text);
    case K::Click: return "click " + id;
    case K::Check: return "check " + id;
    case K::Uncheck: return "uncheck " + id;
    case K::Type: return "type " + id + " " + quoteText(s.text);
    case K::Pick: return "pick " + id + " " + quoteText(s.text);
    case K::Date: {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", s.date.year, s.date.month, s.date.day);
      return "date " + id + " " + buf;
    }
    case K::Page: return "page " + num(s.page);
    case K::Apply: return "apply";
    case K::Ok: return "ok";
    case K::Cancel: return "cancel";
    case K::Close: return "close";
    case K::Help: return "help " + id;
  }
  return "?";
}

std::string steps(const std::vector<Step>& list) {
  std::string s;
  for (const Step& st : list) s += (s.empty() ? "" : "; ") + step(st);
  return s;
}

std::string flag(const std::optional<bool>& f, const char* name) {
  if (!f) return "";
  return std::string(" ") + (*f ? "" : "not-") + name;
}

template <class E>
const char* nameOf(E value, std::initializer_list<const char*> names) {
  return names.begin()[static_cast<int>(value)];
}

struct Formatter {
  std::string operator()(const SetOutlook& c) const {
    std::string s = std::string("outlook ") + nameOf(c.version, {"97", "98", "2000", "2002"});
    if (c.fileVersion) {
      const auto& v = *c.fileVersion;
      s += " " + num(v[0]) + "." + num(v[1]) + "." + num(v[2]) + "." + num(v[3]);
    }
    return s;
  }
  std::string operator()(const SetEditor& c) const {
    return std::string("editor ") + nameOf(c.editor, {"rtf", "plain", "html", "word"});
  }
  std::string operator()(const SetValue& c) const {
    return valueKey(c.key, "reg") + " " + quoteText(c.name) + " " + regData(c.data, "delete");
  }
  std::string operator()(const DeleteKey& c) const {
    return std::string("reg ") + rootName(c.root) + " " + quoteText(c.path) + " delete-key";
  }
  std::string operator()(const Defaults&) const { return "defaults"; }
  std::string operator()(const PutFile& c) const {
    return "file " + quoteText(c.path) + " " + quoteText(c.text);
  }
  std::string operator()(const RemoveFile& c) const { return "delete-file " + quoteText(c.path); }
  std::string operator()(const SetEnv& c) const {
    return "env " + quoteText(c.name) + " " + (c.value ? quoteText(*c.value) : "unset");
  }
  std::string operator()(const LoadModule& c) const { return "module " + quoteText(c.name); }
  std::string operator()(const WritePrintStyles& c) const {
    std::string s = "print-styles layout " + std::to_string(c.layout);
    for (const std::string& style : c.styles) s += " " + quoteText(style);
    return s;
  }
  std::string operator()(const AddMessage& c) const {
    std::string s =
        "message " + quoteText(c.id) + (c.folder == Folder::Inbox ? " inbox" : " drafts");
    s += " subject " + quoteText(c.subject) + " body " + quoteText(c.body);
    if (c.header) s += " header " + quoteText(*c.header);
    if (c.html) s += " html " + quoteText(*c.html);
    if (c.plain) s += " plain";
    s += " class " + quoteText(c.messageClass);
    if (c.customForm) s += " custom-form " + num(*c.customForm);
    if (c.unsent) s += " unsent";
    return s;
  }
  std::string operator()(const Wait& c) const { return "wait " + num(c.ms); }

  std::string operator()(const Start&) const { return "start"; }
  std::string operator()(const Stop&) const { return "stop"; }
  std::string operator()(const NewMessage& c) const {
    if (!c.format) return "new-message";
    return std::string("new-message ") + nameOf(*c.format, {"rtf", "plain", "html"});
  }
  std::string operator()(const NewPost&) const { return "new-post"; }
  std::string operator()(const Select& c) const { return "select " + quoteText(c.id); }
  std::string operator()(const Open& c) const { return "open " + quoteText(c.id); }
  std::string operator()(const Respond& c) const {
    return nameOf(c.kind, {"reply", "reply-all", "forward"});
  }
  std::string operator()(const Browse& c) const {
    return nameOf(c.kind, {"next", "previous", "delete"});
  }
  std::string operator()(const Type& c) const { return "type " + quoteText(c.text); }
  std::string operator()(const SetBody& c) const { return "set-body " + quoteText(c.text); }
  std::string operator()(const Caret& c) const { return "caret " + num(c.pos); }
  std::string operator()(const Classify&) const { return "classify"; }
  std::string operator()(const Send&) const { return "send"; }
  std::string operator()(const Close&) const { return "close"; }
  std::string operator()(const Print& c) const { return c.toolbar ? "print toolbar" : "print"; }
  std::string operator()(const Options&) const { return "options"; }
  std::string operator()(const Uninstall& c) const {
    return std::string("uninstall ") + nameOf(c.entry, {"initialize", "uninitialize"});
  }

  std::string operator()(const AnswerMsgbox& c) const {
    return std::string("answer msgbox ") +
           nameOf(c.button, {"OK", "CANCEL", "YES", "NO", "ABORT", "RETRY", "IGNORE"});
  }
  std::string operator()(const AnswerDialog& c) const {
    return "answer dialog " + num(c.templateId) + " " + steps(c.steps);
  }
  std::string operator()(const AnswerSheet& c) const {
    return "answer sheet " + quoteText(c.caption) + " " + steps(c.steps);
  }
  std::string operator()(const AnswerFont& c) const {
    if (!c.choice) return "answer font cancel";
    const FontChoice& f = *c.choice;
    std::string s = "answer font " + quoteText(f.face) + " " + num(f.size);
    if (f.bold) s += " bold";
    if (f.italic) s += " italic";
    if (f.underline) s += " underline";
    if (f.strikeout) s += " strikeout";
    if (f.colour) s += " colour " + colour(*f.colour);
    return s;
  }

  std::string operator()(const ExpectMsgbox& c) const {
    return "expect msgbox " + quoteText(c.title) + (c.text ? " " + quoteText(*c.text) : "");
  }
  std::string operator()(const ExpectDialog& c) const {
    std::string s = "expect dialog " + num(c.templateId);
    if (c.selected) s += " selected " + quoteText(*c.selected);
    if (c.items) {
      s += " items";
      for (const std::string& item : *c.items) s += " " + quoteText(item);
    }
    if (!c.checked.empty()) s += " checked";
    for (std::uint32_t id : c.checked) s += " " + num(id);
    if (!c.hidden.empty()) s += " hidden";
    for (std::uint32_t id : c.hidden) s += " " + num(id);
    return s;
  }
  std::string operator()(const ExpectQuiet&) const { return "expect quiet"; }
  std::string operator()(const ExpectBody& c) const {
    return std::string("expect ") + nameOf(c.match, {"body", "body-starts", "body-contains"}) +
           " " + quoteText(c.text);
  }
  std::string operator()(const ExpectFormat& c) const {
    const CharFormat& f = c.format;
    std::string s = "expect format " + num(c.from) + " " + num(c.to);
    s += flag(f.bold, "bold") + flag(f.italic, "italic") + flag(f.underline, "underline") +
         flag(f.strikeout, "strikeout");
    if (f.colour) s += " colour " + colour(*f.colour);
    if (f.height) s += " height " + num(*f.height);
    if (f.face) s += " face " + quoteText(*f.face);
    return s;
  }
  std::string operator()(const ExpectAlign& c) const {
    return "expect align " + num(c.pos) + " " + nameOf(c.align, {"left", "right", "center"});
  }
  std::string operator()(const ExpectCaret& c) const { return "expect caret " + num(c.pos); }
  std::string operator()(const ExpectModified& c) const {
    return c.modified ? "expect modified yes" : "expect modified no";
  }
  std::string operator()(const ExpectSent& c) const {
    return c.sent ? "expect sent" : "expect not-sent";
  }
  std::string operator()(const ExpectPrinted& c) const {
    return c.printed ? "expect printed" : "expect not-printed";
  }
  std::string operator()(const ExpectUninstallResult& c) const {
    return "expect uninstall-result " + std::to_string(c.result);
  }
  std::string operator()(const ExpectValue& c) const {
    return "expect " + valueKey(c.key, "reg") + " " + quoteText(c.name) + " " +
           regData(c.data, "absent");
  }
  std::string operator()(const ExpectFile& c) const {
    switch (c.match) {
      case FileMatch::Equals: return "expect file " + quoteText(c.path) + " " + quoteText(c.text);
      case FileMatch::Absent: return "expect no-file " + quoteText(c.path);
      case FileMatch::Contains: break;
    }
    return "expect file-contains " + quoteText(c.path) + " " + quoteText(c.text);
  }
  std::string operator()(const ExpectPrintSlot& c) const {
    return "expect print-slot " + quoteText(c.style) + " " + std::to_string(c.block) + " " +
           nameOf(c.slot, {"left", "centre", "right"}) + " " + quoteText(c.text);
  }
  std::string operator()(const ExpectPrintFont& c) const {
    return "expect print-font " + quoteText(c.style) + " " + std::to_string(c.block) + " face " +
           quoteText(c.face) + " height " + std::to_string(c.height) + " effects " +
           num(c.effects) + " colour " + num(c.rgb[0]) + " " + num(c.rgb[1]) + " " + num(c.rgb[2]);
  }
  std::string operator()(const ExpectLog& c) const {
    return std::string(c.contains ? "expect log-contains " : "expect log-lacks ") +
           quoteText(c.text);
  }
  std::string operator()(const ExpectToolbarButton& c) const {
    return std::string("expect toolbar-button ") +
           nameOf(c.state, {"enabled", "indeterminate", "absent"});
  }
  std::string operator()(const ExpectMenuItem& c) const {
    return std::string(c.present ? "expect menu-item " : "expect no-menu-item ") +
           quoteText(c.text);
  }
  std::string operator()(const Show& c) const {
    return std::string("show ") + nameOf(c.what, {"body", "events", "registry", "print-styles"});
  }
};

}  // namespace

std::string formatCommand(const CommandBody& command) { return std::visit(Formatter{}, command); }

}  // namespace simhost::scenario
