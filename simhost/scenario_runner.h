// Runs one parsed script against the simulated host in a world of its own:
// stage commands change the world, actions drive the host, answers wait for
// the dialogs, expectations compare and report.
#pragma once

#include <optional>
#include <vector>

#include "extension_driver.h"
#include "host_events.h"
#include "host_report.h"
#include "host_world.h"
#include "scenario_commands.h"
#include "scripted_user.h"

namespace simhost {

// The exit status of sigilon-sim, as the language defines it.
enum class RunStatus { Passed = 0, Failed = 1, ScriptWrong = 2 };

class ScenarioRunner {
 public:
  ScenarioRunner(World& world, HostReport& report);
  ~ScenarioRunner();
  ScenarioRunner(const ScenarioRunner&) = delete;
  ScenarioRunner& operator=(const ScenarioRunner&) = delete;

  // Runs every command (a failed expectation does not stop the script; a
  // stage command the world refuses does), then stops the host if the script
  // did not.
  RunStatus run(const std::vector<scenario::Command>& script);

  int failures() const { return failures_; }

 private:
  // False when the script cannot go on.
  bool execute(const scenario::Command& command);
  void uninstall(const scenario::Uninstall& command);
  void expect(const scenario::Command& command);
  void show(const scenario::Show& command);
  void finish();

  World& world_;
  HostReport& report_;
  HostEvents events_;
  ScriptedUser user_;
  Mailbox mailbox_;
  ExtensionDriver host_;
  std::optional<long> lastUninstall_;
  int failures_ = 0;
};

// Sets up a world, runs the script in it and tears it down. Problems of the
// world itself are reported as a wrong script.
RunStatus runScenario(const std::string& file, const std::vector<scenario::Command>& script,
                      const WorldOptions& options, HostReport& report);

}  // namespace simhost
