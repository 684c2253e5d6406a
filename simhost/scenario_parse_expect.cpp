// Parsers of the expectations and of `show`.
#include "scenario_parsers.h"

namespace simhost::scenario {
namespace {

CommandBody msgbox(Args& args) {
  ExpectMsgbox c;
  c.title = args.text("TITLE");
  if (!args.atEnd()) c.text = args.text("TEXT");
  return c;
}

bool isListWord(const Word& w) {
  return w.is("selected") || w.is("items") || w.is("checked") || w.is("hidden");
}

std::vector<std::uint32_t> idList(Args& args, const std::string& keyword) {
  std::vector<std::uint32_t> ids;
  while (!args.atEnd() && !isListWord(args.peek())) ids.push_back(args.u32(keyword + " ID"));
  if (ids.empty()) args.fail("missing control ID after " + keyword);
  return ids;
}

CommandBody dialog(Args& args) {
  ExpectDialog c;
  c.templateId = args.u32("dialog template ID");
  bool checkedSeen = false;
  bool hiddenSeen = false;
  while (!args.atEnd()) {
    const Word& w = args.take("list");
    if (!isListWord(w))
      args.fail("expected selected, items, checked or hidden, found " + Args::display(w));
    std::string keyword = w.text;
    bool twice = (keyword == "selected" && c.selected) || (keyword == "items" && c.items) ||
                 (keyword == "checked" && checkedSeen) || (keyword == "hidden" && hiddenSeen);
    if (twice) args.fail(keyword + " given twice");
    if (keyword == "selected") {
      if (args.atEnd() || isListWord(args.peek())) args.fail("missing TEXT after selected");
      c.selected = args.text("selected TEXT");
    } else if (keyword == "items") {
      c.items.emplace();
      while (!args.atEnd() && !isListWord(args.peek())) c.items->push_back(args.text("item"));
    } else if (keyword == "checked") {
      c.checked = idList(args, keyword);
      checkedSeen = true;
    } else {
      c.hidden = idList(args, keyword);
      hiddenSeen = true;
    }
  }
  return c;
}

CommandBody quiet(Args&) { return ExpectQuiet{}; }

CommandBody body(Args& args) { return ExpectBody{TextMatch::Equals, args.text("TEXT")}; }
CommandBody bodyStarts(Args& args) { return ExpectBody{TextMatch::StartsWith, args.text("TEXT")}; }
CommandBody bodyContains(Args& args) { return ExpectBody{TextMatch::Contains, args.text("TEXT")}; }

template <class T>
void setOnce(Args& args, std::optional<T>& field, T value, const std::string& name) {
  if (field) args.fail(name + " given twice");
  field = value;
}

CommandBody format(Args& args) {
  ExpectFormat c;
  c.from = args.u32("FROM");
  c.to = args.u32("TO");
  if (c.from >= c.to) args.fail("FROM must be before TO");
  CharFormat& f = c.format;
  struct Effect {
    const char* name;
    std::optional<bool> CharFormat::*field;
  };
  const Effect effects[] = {{"bold", &CharFormat::bold},
                            {"italic", &CharFormat::italic},
                            {"underline", &CharFormat::underline},
                            {"strikeout", &CharFormat::strikeout}};
  if (args.atEnd()) args.fail("missing ATTR");
  while (!args.atEnd()) {
    const Word& w = args.take("ATTR");
    bool matched = false;
    for (const Effect& e : effects) {
      std::string name = e.name;
      if (w.is(name) || w.is("not-" + name)) {
        setOnce(args, f.*e.field, w.is(name), name);
        matched = true;
      }
    }
    if (matched) continue;
    if (w.is("colour")) {
      setOnce(args, f.colour, args.u32("colour 0xBBGGRR", 0xFFFFFF), "colour");
    } else if (w.is("height")) {
      setOnce(args, f.height, args.u32("height TWIPS"), "height");
    } else if (w.is("face")) {
      setOnce(args, f.face, args.text("face NAME"), "face");
    } else {
      args.fail(
          "expected an ATTR ([not-]bold, [not-]italic, [not-]underline, [not-]strikeout, "
          "colour, height or face), found " +
          Args::display(w));
    }
  }
  return c;
}

CommandBody align(Args& args) {
  ExpectAlign c;
  c.pos = args.u32("POS");
  c.align = args.choice<Align>(
      "alignment", {{"left", Align::Left}, {"right", Align::Right}, {"center", Align::Center}});
  return c;
}

CommandBody caret(Args& args) { return ExpectCaret{args.u32("N")}; }

CommandBody modified(Args& args) {
  return ExpectModified{args.choice<bool>("modified flag", {{"yes", true}, {"no", false}})};
}

CommandBody sent(Args&) { return ExpectSent{true}; }
CommandBody notSent(Args&) { return ExpectSent{false}; }
CommandBody printed(Args&) { return ExpectPrinted{true}; }
CommandBody notPrinted(Args&) { return ExpectPrinted{false}; }
CommandBody uninstallResult(Args& args) { return ExpectUninstallResult{args.i32("N")}; }

CommandBody user(Args& args) {
  ExpectValue c;
  c.key.kind = ValueKey::Kind::User;
  c.name = args.text("value NAME");
  c.data = parseRegData(args, "absent");
  return c;
}

CommandBody reg(Args& args) {
  ExpectValue c;
  c.key.kind = ValueKey::Kind::Explicit;
  c.key.root = args.choice<RegRoot>("root key", {{"HKLM", RegRoot::Hklm}, {"HKCU", RegRoot::Hkcu}});
  c.key.path = args.text("KEY");
  c.name = args.text("value NAME");
  c.data = parseRegData(args, "absent");
  return c;
}

CommandBody file(Args& args) {
  ExpectFile c{FileMatch::Equals, args.text("PATH"), ""};
  c.text = args.text("TEXT");
  return c;
}

CommandBody noFile(Args& args) { return ExpectFile{FileMatch::Absent, args.text("PATH"), ""}; }

CommandBody fileContains(Args& args) {
  ExpectFile c{FileMatch::Contains, args.text("PATH"), ""};
  c.text = args.text("TEXT");
  return c;
}

int block(Args& args) { return args.choice<int>("block", {{"1", 1}, {"2", 2}}); }

CommandBody printSlot(Args& args) {
  ExpectPrintSlot c;
  c.style = args.text("STYLE");
  c.block = block(args);
  c.slot = args.choice<PrintSlot>(
      "slot",
      {{"left", PrintSlot::Left}, {"centre", PrintSlot::Centre}, {"right", PrintSlot::Right}});
  c.text = args.text("TEXT");
  return c;
}

void keyword(Args& args, const char* word) {
  args.choice<int>(std::string("the word ") + word, {{word, 0}});
}

CommandBody printFont(Args& args) {
  ExpectPrintFont c;
  c.style = args.text("STYLE");
  c.block = block(args);
  keyword(args, "face");
  c.face = args.text("face NAME");
  keyword(args, "height");
  c.height = args.i32("height N");
  keyword(args, "effects");
  c.effects = args.u32("effects N");
  keyword(args, "colour");
  c.rgb[0] = static_cast<std::uint8_t>(args.u32("colour R", 255));
  c.rgb[1] = static_cast<std::uint8_t>(args.u32("colour G", 255));
  c.rgb[2] = static_cast<std::uint8_t>(args.u32("colour B", 255));
  return c;
}

CommandBody logContains(Args& args) { return ExpectLog{true, args.text("TEXT")}; }
CommandBody logLacks(Args& args) { return ExpectLog{false, args.text("TEXT")}; }

CommandBody toolbarButton(Args& args) {
  return ExpectToolbarButton{
      args.choice<ButtonState>("button state", {{"enabled", ButtonState::Enabled},
                                                {"indeterminate", ButtonState::Indeterminate},
                                                {"absent", ButtonState::Absent}})};
}

CommandBody menuItem(Args& args) { return ExpectMenuItem{args.text("menu item TEXT"), true}; }
CommandBody noMenuItem(Args& args) { return ExpectMenuItem{args.text("menu item TEXT"), false}; }

CommandBody show(Args& args) {
  return Show{args.choice<ShowWhat>("what to show", {{"body", ShowWhat::Body},
                                                     {"events", ShowWhat::Events},
                                                     {"registry", ShowWhat::Registry},
                                                     {"print-styles", ShowWhat::PrintStyles}})};
}

}  // namespace

const std::vector<CommandParser>& expectParsers() {
  static const std::vector<CommandParser> parsers = {
      {"expect msgbox", msgbox},
      {"expect dialog", dialog},
      {"expect quiet", quiet},
      {"expect body", body},
      {"expect body-starts", bodyStarts},
      {"expect body-contains", bodyContains},
      {"expect format", format},
      {"expect align", align},
      {"expect caret", caret},
      {"expect modified", modified},
      {"expect sent", sent},
      {"expect not-sent", notSent},
      {"expect printed", printed},
      {"expect not-printed", notPrinted},
      {"expect uninstall-result", uninstallResult},
      {"expect user", user},
      {"expect reg", reg},
      {"expect file", file},
      {"expect no-file", noFile},
      {"expect file-contains", fileContains},
      {"expect print-slot", printSlot},
      {"expect print-font", printFont},
      {"expect log-contains", logContains},
      {"expect log-lacks", logLacks},
      {"expect toolbar-button", toolbarButton},
      {"expect menu-item", menuItem},
      {"expect no-menu-item", noMenuItem},
      {"show", show},
  };
  return parsers;
}

}  // namespace simhost::scenario
