// Which commands of the language the simulated host can carry out so far.
// A script that uses another one does not run at all.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scenario_commands.h"

namespace simhost {

// The command's name ("new-message", "expect body", "show body") when the
// host cannot carry it out yet; none when it can.
std::optional<std::string> unavailableCommand(const scenario::CommandBody& command);

// "FILE:LINE: NAME is not available yet" for each such command of a script.
std::vector<std::string> unavailableCommands(const std::vector<scenario::Command>& script);

}  // namespace simhost
