// The written form of every command and dialog step, in one table that both
// the --help text and the parser's error messages draw on, so the two cannot
// drift apart.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace simhost::scenario {

enum class CommandGroup { Stage, Action, Answer, Step, Expectation, Show };

struct CommandSyntax {
  CommandGroup group;
  const char* name;     // the leading word(s): "outlook", "answer font", "expect body"
  const char* usage;    // the whole form, as the language writes it
  const char* summary;  // one short line
};

// Every command and step, in the order the language presents them. A name
// with two forms (`answer font`, `reg`, ...) has one entry per form.
const std::vector<CommandSyntax>& syntaxTable();

// The forms of the command NAME (steps when STEP is set), joined with " or ";
// empty when there is none.
std::string usageOf(std::string_view name, bool step = false);

// The list of commands for `sigilon-sim --help`, grouped as the language is.
std::string scenarioHelp();

}  // namespace simhost::scenario
