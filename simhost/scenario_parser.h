// Turns a scenario script into checked commands. Every function here throws
// ScriptError ("FILE:LINE: message") at the first wrong line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scenario_commands.h"
#include "scenario_error.h"
#include "scenario_lexer.h"

namespace simhost::scenario {

// Lexes and parses TEXT, read from FILE (the name is used in errors only).
std::vector<Command> parseScript(const std::string& file, std::string_view text);

// Reads the file at PATH and parses it; a file that cannot be read is a
// ScriptError with line 0 ("PATH: cannot read ...").
std::vector<Command> loadScript(const std::string& path);

// One lexed line.
Command parseLine(const std::string& file, const Line& line);

}  // namespace simhost::scenario
