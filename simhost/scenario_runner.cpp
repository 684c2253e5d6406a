#include "scenario_runner.h"

#include <type_traits>

#include "expectations.h"
#include "host_registry.h"
#include "scenario_format.h"
#include "sigplat/clock.h"
#include "sigplat/world.h"
#include "stage_commands.h"

namespace simhost {

namespace {

using namespace scenario;

typedef LONG(WINAPI* UninstEntryPoint)(DWORD, DWORD, DWORD);

std::string where(const Command& command) {
  return command.file + ":" + std::to_string(command.line);
}

}  // namespace

ScenarioRunner::ScenarioRunner(World& world, HostReport& report)
    : world_(world), report_(report), host_(world, report, mailbox_) {
  sigplat::SetUserAgent(&user_);
  report_.setEvents(&events_);
  // The extension's debugger output belongs in the transcript, where it
  // happened, rather than on standard error out of order.
  sigplat::SetDebugOutputSink([this](const std::string& text) { report_.debugOutput(text); });
}

ScenarioRunner::~ScenarioRunner() {
  host_.stop();
  sigplat::SetDebugOutputSink({});
  report_.setEvents(nullptr);
  sigplat::SetUserAgent(nullptr);
}

RunStatus ScenarioRunner::run(const std::vector<Command>& script) {
  bool wrong = false;
  for (const Command& command : script) {
    report_.command(command);
    bool goOn = false;
    try {
      goOn = execute(command);
    } catch (const HostError& e) {
      report_.scriptError(where(command), e.what());
    }
    if (!goOn) {
      wrong = true;
      break;
    }
  }
  finish();
  if (wrong) return RunStatus::ScriptWrong;
  return failures_ ? RunStatus::Failed : RunStatus::Passed;
}

bool ScenarioRunner::execute(const Command& command) {
  return std::visit(
      [&](const auto& c) -> bool {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, SetOutlook>) {
          world_.setOutlook(c.version, c.fileVersion);
        } else if constexpr (std::is_same_v<T, SetEditor>) {
          world_.setEditor(c.editor);
        } else if constexpr (std::is_same_v<T, SetValue>) {
          applyValue(c);
        } else if constexpr (std::is_same_v<T, DeleteKey>) {
          applyDeleteKey(c);
        } else if constexpr (std::is_same_v<T, Defaults>) {
          installDefaults(world_);
        } else if constexpr (std::is_same_v<T, PutFile>) {
          world_.writeFile(c.path, c.text);
        } else if constexpr (std::is_same_v<T, RemoveFile>) {
          applyRemoveFile(world_, c);
        } else if constexpr (std::is_same_v<T, SetEnv>) {
          world_.setEnv(c.name, c.value);
        } else if constexpr (std::is_same_v<T, LoadModule>) {
          sigplat::AddProcessModule(c.name);
        } else if constexpr (std::is_same_v<T, AddMessage>) {
          mailbox_.add(c);
        } else if constexpr (std::is_same_v<T, Select>) {
          host_.select(c.id);
        } else if constexpr (std::is_same_v<T, Wait>) {
          sigplat::AdvanceClock(c.ms);
        } else if constexpr (std::is_same_v<T, Start>) {
          host_.start();
        } else if constexpr (std::is_same_v<T, Stop>) {
          if (!host_.running()) report_.note("host: not running");
          host_.stop();
        } else if constexpr (std::is_same_v<T, Uninstall>) {
          uninstall(c);
        } else if constexpr (std::is_same_v<T, AnswerMsgbox> || std::is_same_v<T, AnswerDialog> ||
                             std::is_same_v<T, AnswerSheet> || std::is_same_v<T, AnswerFont>) {
          user_.queue(c);
        } else if constexpr (std::is_same_v<T, Show>) {
          show(c);
        } else {
          // Only expectations are left: the host refuses a script with any
          // command it cannot carry out before running it.
          expect(command);
        }
        return true;
      },
      command.body);
}

void ScenarioRunner::uninstall(const Uninstall& command) {
  const char* entry =
      command.entry == UninstEntry::Initialize ? "UninstInitialize" : "UninstUnInitialize";
  HMODULE library = LoadLibraryA(kUninstallerPath);
  const std::string load = std::string("LoadLibraryA(") + shown(kUninstallerPath) + ")";
  if (!library) {
    const std::string error = "Windows error " + std::to_string(GetLastError());
    report_.hostCall(load + " = NULL (" + error + ")");
    throw HostError("the uninstaller could not load " + std::string(kUninstallerPath) + " (" +
                    error + ")");
  }
  report_.hostCall(load + " = loaded");
  auto function = reinterpret_cast<UninstEntryPoint>(GetProcAddress(library, entry));
  if (!function) {
    FreeLibrary(library);
    throw HostError(std::string("uninst.dll has no ") + entry);
  }
  const LONG result = function(0, 0, 0);
  report_.hostCall(std::string(entry) + "(0, 0, 0) = " + std::to_string(result));
  FreeLibrary(library);
  report_.hostCall("FreeLibrary(uninst.dll)");
  lastUninstall_ = result;
  report_.note("uninstaller: " + std::string(entry) + " returned " + std::to_string(result));
}

void ScenarioRunner::expect(const Command& command) {
  report_.flushEvents();
  const Verdict verdict = std::visit(
      [&](const auto& c) -> Verdict {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, ExpectMsgbox>) {
          return checkMsgbox(c, events_.take());
        } else if constexpr (std::is_same_v<T, ExpectDialog>) {
          return checkDialog(c, events_.take());
        } else if constexpr (std::is_same_v<T, ExpectQuiet>) {
          const auto pending = events_.pending();
          if (pending.empty()) return {};
          std::string found = std::to_string(pending.size()) + " pending: ";
          for (std::size_t i = 0; i < pending.size(); ++i)
            found += (i ? "; " : "") + describeEvent(pending[i]);
          return {false, "no pending event", found};
        } else if constexpr (std::is_same_v<T, ExpectValue>) {
          return checkValue(c);
        } else if constexpr (std::is_same_v<T, ExpectFile>) {
          return checkFile(world_, c);
        } else if constexpr (std::is_same_v<T, ExpectLog>) {
          return checkLog(world_, c);
        } else if constexpr (std::is_same_v<T, ExpectUninstallResult>) {
          return checkUninstallResult(c, lastUninstall_);
        } else {
          throw HostError(formatCommand(c) + " is not available yet");
        }
      },
      command.body);
  if (!verdict.held) {
    ++failures_;
    report_.failure(command, verdict.expected, verdict.found);
  }
}

void ScenarioRunner::show(const Show& command) {
  report_.flushEvents();
  if (command.what == ShowWhat::Registry) {
    report_.block(registryListing(world_.prefix()));
    return;
  }
  if (command.what == ShowWhat::Events) {
    const auto pending = events_.pending();
    if (pending.empty()) report_.note("no pending event");
    for (const auto& event : pending) report_.note("pending: " + describeEvent(event));
    return;
  }
  throw HostError(formatCommand(command) + " is not available yet");
}

void ScenarioRunner::finish() {
  if (host_.running()) {
    report_.note("host: the script ends without stop; the host closes");
    host_.stop();
  }
  report_.flushEvents();
  for (const std::string& answer : user_.unused())
    report_.note("unused answer: " + answer);
  const auto pending = events_.pending();
  if (!pending.empty())
    report_.note(std::to_string(pending.size()) + " event" + (pending.size() > 1 ? "s" : "") +
                 " left unexamined");
  user_.clear();
}

RunStatus runScenario(const std::string& file, const std::vector<Command>& script,
                      const WorldOptions& options, HostReport& report) {
  report.scriptStart(file);
  try {
    World world(options);
    if (options.keep || !world.temporary()) report.note("prefix: " + world.prefix());
    RunStatus status;
    int failures = 0;
    {
      ScenarioRunner runner(world, report);
      status = runner.run(script);
      failures = runner.failures();
    }
    report.scriptEnd(file, failures);
    return status;
  } catch (const std::exception& e) {
    // The world could not be set up (or torn down): nothing to run in.
    report.scriptError(file, e.what());
    return RunStatus::ScriptWrong;
  }
}

}  // namespace simhost
