// Everything sigilon-sim tells a person about a run, on one stream: the
// commands as they run, the host's calls into the extension (when asked for),
// the message boxes and dialogs the user saw, and the expectations that failed.
#pragma once

#include <ostream>
#include <string>

#include "host_events.h"
#include "scenario_commands.h"
#include "sigplat/user_agent.h"

namespace simhost {

class HostReport {
 public:
  HostReport(std::ostream& out, bool showCalls) : out_(out), showCalls_(showCalls) {}

  bool showCalls() const { return showCalls_; }
  // Where the message boxes and dialogs come from: each line printed first
  // prints those shown since, so that they stand where they happened.
  void setEvents(HostEvents* events) { events_ = events; }
  // Prints the message boxes and dialogs shown since the last line.
  void flushEvents();

  // A script begins or ends.
  void scriptStart(const std::string& file);
  void scriptEnd(const std::string& file, int failures);
  // The command about to run, as written.
  void command(const scenario::Command& command);
  // A call the host makes into the extension or the uninstaller, with its
  // result ("Install(context 2 viewer) = S_OK"); printed only with --calls.
  void hostCall(const std::string& call);
  // What the host itself has to say: an action's outcome, a facility that
  // does not exist yet. Always printed.
  void note(const std::string& text);
  // What the extension wrote to the debugger output, one line per line.
  void debugOutput(const std::string& text);
  void messageBox(const sigplat::MessageBoxRecord& box);
  void dialog(const sigplat::DialogRecord& dialog);
  // An expectation that did not hold; the script goes on.
  void failure(const scenario::Command& command, const std::string& expected,
               const std::string& found);
  // A script that cannot go on (a stage command the world refused).
  void scriptError(const std::string& where, const std::string& message);
  // Free text, already indented by the caller (show registry, show events).
  void block(const std::string& text);

 private:
  std::ostream& out_;
  bool showCalls_;
  HostEvents* events_ = nullptr;
};

// A text as the transcript shows it: in double quotes, control characters
// escaped, so that CR LF and trailing blanks are visible.
std::string shown(const std::string& text);

}  // namespace simhost
