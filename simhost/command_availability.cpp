#include "command_availability.h"

#include <type_traits>

#include "scenario_format.h"

namespace simhost {

namespace {

using namespace scenario;

template <class T, class... Ts>
constexpr bool isOneOf = (std::is_same_v<T, Ts> || ...);

// The first words of the canonical form: the command's name.
std::string commandName(const CommandBody& command) {
  const std::string text = formatCommand(command);
  std::size_t end = text.find(' ');
  const std::string first = text.substr(0, end);
  if ((first == "expect" || first == "answer" || first == "show") && end != std::string::npos) {
    end = text.find(' ', end + 1);
  }
  return text.substr(0, end);
}

}  // namespace

std::optional<std::string> unavailableCommand(const CommandBody& command) {
  const bool available = std::visit(
      [](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, Show>) {
          return c.what == ShowWhat::Registry || c.what == ShowWhat::Events;
        } else {
          return isOneOf<T, SetOutlook, SetEditor, SetValue, DeleteKey, Defaults, PutFile,
                         RemoveFile, SetEnv, LoadModule, AddMessage, Wait, Start, Stop, Select,
                         Uninstall,
                         AnswerMsgbox, AnswerDialog, AnswerSheet, AnswerFont, ExpectMsgbox,
                         ExpectDialog, ExpectQuiet, ExpectValue, ExpectFile, ExpectLog,
                         ExpectUninstallResult>;
        }
      },
      command);
  if (available) return std::nullopt;
  return commandName(command);
}

std::vector<std::string> unavailableCommands(const std::vector<Command>& script) {
  std::vector<std::string> errors;
  for (const Command& c : script) {
    if (auto name = unavailableCommand(c.body))
      errors.push_back(c.file + ":" + std::to_string(c.line) + ": " + *name +
                       " is not available yet");
  }
  return errors;
}

}  // namespace simhost
