// Internal: the parsers of each group of commands, found by their leading
// word(s) ("outlook", "expect body").
#pragma once

#include <vector>

#include "scenario_args.h"
#include "scenario_commands.h"

namespace simhost::scenario {

struct CommandParser {
  const char* name;
  CommandBody (*parse)(Args& args);  // reads the words after the name
};

const std::vector<CommandParser>& stageParsers();
const std::vector<CommandParser>& actionParsers();
const std::vector<CommandParser>& answerParsers();
const std::vector<CommandParser>& expectParsers();

// `dword N`, `sz TEXT`, and `delete` (setting) or `absent` (expecting).
RegData parseRegData(Args& args, const char* noneWord);

}  // namespace simhost::scenario
