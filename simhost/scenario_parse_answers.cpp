// Parsers of the queued answers and of the dialog steps inside them.
#include "scenario_parsers.h"
#include "scenario_syntax.h"

namespace simhost::scenario {
namespace {

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

Date parseDate(Args& args) {
  const Word& w = args.take("date YYYY-MM-DD");
  const std::string& t = w.text;
  bool shaped = t.size() == 10 && t[4] == '-' && t[7] == '-';
  for (std::size_t i = 0; shaped && i < t.size(); ++i)
    if (i != 4 && i != 7 && (t[i] < '0' || t[i] > '9')) shaped = false;
  if (!shaped) args.fail("date " + Args::display(w) + " is not YYYY-MM-DD");
  Date d{std::stoi(t.substr(0, 4)), std::stoi(t.substr(5, 2)), std::stoi(t.substr(8, 2))};
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > daysInMonth(d.year, d.month))
    args.fail("date " + Args::display(w) + " does not exist");
  return d;
}

Step parseStep(Args& args) {
  using K = Step::Kind;
  Step s;
  s.kind = args.choice<K>("step", {{"select", K::Select},
                                   {"double-click", K::DoubleClick},
                                   {"click", K::Click},
                                   {"check", K::Check},
                                   {"uncheck", K::Uncheck},
                                   {"type", K::Type},
                                   {"pick", K::Pick},
                                   {"date", K::Date},
                                   {"page", K::Page},
                                   {"apply", K::Apply},
                                   {"ok", K::Ok},
                                   {"cancel", K::Cancel},
                                   {"close", K::Close},
                                   {"help", K::Help}});
  switch (s.kind) {
    case K::Select:
    case K::DoubleClick: s.text = args.text("list item TEXT"); break;
    case K::Type:
    case K::Pick:
      s.control = args.u32("control ID");
      s.text = args.text("TEXT");
      break;
    case K::Date:
      s.control = args.u32("control ID");
      s.date = parseDate(args);
      break;
    case K::Click:
    case K::Check:
    case K::Uncheck:
    case K::Help: s.control = args.u32("control ID"); break;
    case K::Page: s.page = args.u32("page N"); break;
    case K::Apply:
    case K::Ok:
    case K::Cancel:
    case K::Close: break;
  }
  args.end();
  return s;
}

// Splits the rest of the line at the semicolons that stand outside quotes:
// the lexer leaves them inside bare words ("1063;", ";click", "5;click").
std::vector<std::vector<Word>> splitSteps(Args& args) {
  std::vector<std::vector<Word>> steps(1);
  while (!args.atEnd()) {
    const Word& w = args.take("STEP");
    if (!w.bare()) {
      steps.back().push_back(w);
      continue;
    }
    std::size_t from = 0;
    while (true) {
      std::size_t semi = w.text.find(';', from);
      std::string piece = w.text.substr(from, semi == std::string::npos ? semi : semi - from);
      if (!piece.empty()) steps.back().push_back(Word{piece, Quoting::Bare, w.line});
      if (semi == std::string::npos) break;
      steps.emplace_back();
      from = semi + 1;
    }
  }
  return steps;
}

std::vector<Step> parseSteps(Args& args, const std::string& command) {
  std::vector<std::vector<Word>> words = splitSteps(args);
  if (words.size() == 1 && words[0].empty()) args.fail("missing STEP");
  std::vector<Step> steps;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string context = command + ", step " + std::to_string(i + 1);
    if (words[i].empty())
      args.fail("step " + std::to_string(i + 1) + " is empty (a stray semicolon)");
    std::string usage = words[i][0].bare() ? usageOf(words[i][0].text, true) : "";
    Args stepArgs(args.file(), args.line(), std::move(words[i]), context, usage);
    steps.push_back(parseStep(stepArgs));
  }
  return steps;
}

CommandBody msgbox(Args& args) {
  using B = MsgboxButton;
  return AnswerMsgbox{args.choice<B>("button", {{"OK", B::Ok},
                                                {"CANCEL", B::Cancel},
                                                {"YES", B::Yes},
                                                {"NO", B::No},
                                                {"ABORT", B::Abort},
                                                {"RETRY", B::Retry},
                                                {"IGNORE", B::Ignore}})};
}

CommandBody dialog(Args& args) {
  AnswerDialog c;
  c.templateId = args.u32("dialog template ID");
  c.steps = parseSteps(args, "answer dialog");
  return c;
}

CommandBody sheet(Args& args) {
  AnswerSheet c;
  c.caption = args.text("sheet CAPTION");
  c.steps = parseSteps(args, "answer sheet");
  return c;
}

CommandBody font(Args& args) {
  if (args.left() == 1 && args.takeIf("cancel")) return AnswerFont{};
  FontChoice f;
  f.face = args.text("FACE");
  f.size = args.u32("SIZE");
  while (!args.atEnd()) {
    const Word& w = args.peek();
    bool* flag = w.is("bold")        ? &f.bold
                 : w.is("italic")    ? &f.italic
                 : w.is("underline") ? &f.underline
                 : w.is("strikeout") ? &f.strikeout
                                     : nullptr;
    if (flag) {
      if (*flag) args.fail(w.text + " given twice");
      *flag = true;
      args.take(w.text);
    } else if (args.takeIf("colour")) {
      if (f.colour) args.fail("colour given twice");
      f.colour = args.u32("colour 0xBBGGRR", 0xFFFFFF);
    } else {
      args.fail("expected bold, italic, underline, strikeout or colour, found " + Args::display(w));
    }
  }
  return AnswerFont{f};
}

}  // namespace

const std::vector<CommandParser>& answerParsers() {
  static const std::vector<CommandParser> parsers = {
      {"answer msgbox", msgbox},
      {"answer dialog", dialog},
      {"answer sheet", sheet},
      {"answer font", font},
  };
  return parsers;
}

}  // namespace simhost::scenario
