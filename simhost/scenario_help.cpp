// The command list of `sigilon-sim --help`, built from the syntax table.
#include <string_view>

#include "scenario_syntax.h"

namespace simhost::scenario {
namespace {

struct GroupTitle {
  CommandGroup group;
  const char* title;
};

const GroupTitle kGroups[] = {
    {CommandGroup::Stage, "Setting the stage (before start; between actions where it makes sense)"},
    {CommandGroup::Action, "Actions"},
    {CommandGroup::Answer, "Answers (queued before the action that shows the dialog)"},
    {CommandGroup::Step, "Dialog steps (separated by semicolons)"},
    {CommandGroup::Expectation, "Expectations"},
    {CommandGroup::Show, "Showing state (checks nothing)"},
};

const char kSyntax[] =
    "Script syntax:\n"
    "  One command per line; blank lines and lines starting with # are ignored.\n"
    "  Words are separated by blanks. 'single quotes' keep text as written;\n"
    "  \"double quotes\" understand \\r \\n \\t \\\\ \\\" \\xHH. Numbers are decimal or 0x hex.\n"
    "  A text may be <<WORD at the end of the line: the following lines up to a line\n"
    "  holding WORD alone, each ended by CR LF. Keywords are case-sensitive.\n";

constexpr std::size_t kWidth = 100;

// Appends TEXT after INDENT, breaking at blanks so that no line passes kWidth;
// continuation lines are indented two more.
void appendWrapped(std::string& out, const std::string& indent, std::string_view text) {
  std::string lead = indent;
  while (lead.size() + text.size() > kWidth) {
    std::size_t cut = text.rfind(' ', kWidth - lead.size());
    if (cut == std::string_view::npos || cut == 0) break;
    out += lead;
    out += text.substr(0, cut);
    out += '\n';
    text.remove_prefix(cut + 1);
    lead = indent + "  ";
  }
  out += lead;
  out += text;
  out += '\n';
}

}  // namespace

std::string scenarioHelp() {
  std::string help = kSyntax;
  for (const GroupTitle& g : kGroups) {
    help += "\n";
    help += g.title;
    help += ":\n";
    for (const CommandSyntax& s : syntaxTable()) {
      if (s.group != g.group) continue;
      appendWrapped(help, "  ", s.usage);
      appendWrapped(help, "      ", s.summary);
    }
  }
  return help;
}

}  // namespace simhost::scenario
