// Parsers of the commands that set the stage.
#include <optional>

#include "scenario_parsers.h"

namespace simhost::scenario {

RegData parseRegData(Args& args, const char* noneWord) {
  RegData data;
  data.kind = args.choice<RegData::Kind>("value type", {{"dword", RegData::Kind::Dword},
                                                        {"sz", RegData::Kind::Sz},
                                                        {noneWord, RegData::Kind::None}});
  if (data.kind == RegData::Kind::Dword) data.dword = args.u32("dword value");
  if (data.kind == RegData::Kind::Sz) data.sz = args.text("sz text");
  return data;
}

namespace {

RegRoot parseRoot(Args& args) {
  return args.choice<RegRoot>("root key", {{"HKLM", RegRoot::Hklm}, {"HKCU", RegRoot::Hkcu}});
}

std::optional<std::array<std::uint16_t, 4>> fileVersion(const std::string& text) {
  std::array<std::uint16_t, 4> parts{};
  std::size_t pos = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::size_t dot = text.find('.', pos);
    if ((i + 1 < parts.size()) == (dot == std::string::npos)) return std::nullopt;
    std::string part = text.substr(pos, dot == std::string::npos ? std::string::npos : dot - pos);
    if (part.empty() || part.size() > 5 ||
        part.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    unsigned long n = std::stoul(part);
    if (n > 0xFFFF) return std::nullopt;
    parts[i] = static_cast<std::uint16_t>(n);
    pos = dot + 1;
  }
  return parts;
}

CommandBody outlook(Args& args) {
  SetOutlook c;
  c.version = args.choice<OutlookVersion>("version", {{"97", OutlookVersion::V97},
                                                      {"98", OutlookVersion::V98},
                                                      {"2000", OutlookVersion::V2000},
                                                      {"2002", OutlookVersion::V2002}});
  if (!args.atEnd()) {
    const Word& w = args.take("file version");
    c.fileVersion = fileVersion(w.text);
    if (!c.fileVersion)
      args.fail("file version " + Args::display(w) + " is not a.b.c.d (each part 0 to 65535)");
  }
  return c;
}

CommandBody editor(Args& args) {
  return SetEditor{args.choice<Editor>("editor", {{"rtf", Editor::Rtf},
                                                  {"plain", Editor::Plain},
                                                  {"html", Editor::Html},
                                                  {"word", Editor::Word}})};
}

CommandBody productValue(Args& args, ValueKey::Kind kind) {
  SetValue c;
  c.key.kind = kind;
  c.name = args.text("value NAME");
  c.data = parseRegData(args, "delete");
  return c;
}

CommandBody machine(Args& args) { return productValue(args, ValueKey::Kind::Machine); }
CommandBody user(Args& args) { return productValue(args, ValueKey::Kind::User); }

CommandBody reg(Args& args) {
  RegRoot root = parseRoot(args);
  std::string path = args.text("KEY");
  if (args.left() == 1 && args.peek().is("delete-key")) {
    args.takeIf("delete-key");
    return DeleteKey{root, path};
  }
  SetValue c;
  c.key = ValueKey{ValueKey::Kind::Explicit, root, path};
  c.name = args.text("value NAME (or delete-key)");
  c.data = parseRegData(args, "delete");
  return c;
}

CommandBody defaults(Args&) { return Defaults{}; }

CommandBody file(Args& args) {
  PutFile c;
  c.path = args.text("PATH");
  c.text = args.text("TEXT");
  return c;
}

CommandBody deleteFile(Args& args) { return RemoveFile{args.text("PATH")}; }

CommandBody env(Args& args) {
  SetEnv c;
  c.name = args.text("NAME");
  if (!args.takeIf("unset")) c.value = args.text("VALUE (or unset)");
  return c;
}

CommandBody module(Args& args) { return LoadModule{args.text("module NAME")}; }

CommandBody printStyles(Args& args) {
  WritePrintStyles c;
  args.choice<int>("the word layout", {{"layout", 0}});
  c.layout = args.choice<int>("layout", {{"1", 1}, {"2", 2}});
  c.styles.push_back(args.text("STYLE"));
  while (!args.atEnd()) c.styles.push_back(args.text("STYLE"));
  return c;
}

CommandBody message(Args& args) {
  AddMessage c;
  c.id = args.text("message ID");
  std::optional<Folder> folder;
  if (args.takeIf("inbox"))
    folder = Folder::Inbox;
  else if (args.takeIf("drafts"))
    folder = Folder::Drafts;
  bool seen[8] = {};
  const std::vector<const char*> options = {"subject", "body",  "header",      "html",
                                            "plain",   "class", "custom-form", "unsent"};
  while (!args.atEnd()) {
    const Word& w = args.take("option");
    std::size_t i = 0;
    while (i < options.size() && !w.is(options[i])) ++i;
    if (i == options.size())
      args.fail("expected an option (" + Args::alternatives(options) + "), found " +
                Args::display(w));
    if (seen[i]) args.fail(std::string("option ") + options[i] + " given twice");
    seen[i] = true;
    switch (i) {
      case 0: c.subject = args.text("subject TEXT"); break;
      case 1: c.body = args.text("body TEXT"); break;
      case 2: c.header = args.text("header TEXT"); break;
      case 3: c.html = args.text("html TEXT"); break;
      case 4: c.plain = true; break;
      case 5: c.messageClass = args.text("class TEXT"); break;
      case 6: c.customForm = args.u32("custom-form N"); break;
      default: c.unsent = true; break;
    }
  }
  if (!seen[0]) args.fail("missing subject TEXT");
  if (!seen[1]) args.fail("missing body TEXT");
  if (c.plain && c.html) args.fail("plain and html exclude each other");
  c.folder = folder.value_or(c.unsent ? Folder::Drafts : Folder::Inbox);
  return c;
}

CommandBody clock(Args& args) {
  const Word& w = args.take("+MS");
  if (!w.bare() || w.text.empty() || w.text[0] != '+')
    args.fail("expected +MS (a + before the milliseconds), found " + Args::display(w));
  std::string whyNot;
  std::optional<std::uint32_t> ms = toUnsigned32(w.text.substr(1), whyNot);
  if (!ms) args.fail("MS: " + whyNot);
  return Wait{*ms};
}

}  // namespace

const std::vector<CommandParser>& stageParsers() {
  static const std::vector<CommandParser> parsers = {
      {"outlook", outlook},
      {"editor", editor},
      {"machine", machine},
      {"user", user},
      {"reg", reg},
      {"defaults", defaults},
      {"file", file},
      {"delete-file", deleteFile},
      {"env", env},
      {"module", module},
      {"print-styles", printStyles},
      {"message", message},
      {"clock", clock},
  };
  return parsers;
}

}  // namespace simhost::scenario
