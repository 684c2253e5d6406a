// Writes a command back in the language, in one canonical form: defaults
// written out, every text in double quotes, colours as 0xBBGGRR. Parsing the
// result gives the same command, so the transcript can echo what was
// understood, and tests can state a parse result as one line.
#pragma once

#include <string>
#include <string_view>

#include "scenario_commands.h"

namespace simhost::scenario {

std::string formatCommand(const CommandBody& command);

// TEXT as a double-quoted word, escaping what the lexer unescapes.
std::string quoteText(std::string_view text);

}  // namespace simhost::scenario
