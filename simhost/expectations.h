// The checks of `expect` commands that look at the events and at the world.
// Each gives a verdict; the runner reports a failed one and goes on.
#pragma once

#include <optional>
#include <string>

#include "host_world.h"
#include "scenario_commands.h"
#include "sigplat/user_agent.h"

namespace simhost {

struct Verdict {
  bool held = true;
  std::string expected;  // both filled when the expectation failed
  std::string found;
};

// EVENT is the oldest pending event the expectation took, or none.
Verdict checkMsgbox(const scenario::ExpectMsgbox& expect,
                    const std::optional<sigplat::TranscriptEntry>& event);
Verdict checkDialog(const scenario::ExpectDialog& expect,
                    const std::optional<sigplat::TranscriptEntry>& event);

Verdict checkValue(const scenario::ExpectValue& expect);
Verdict checkFile(const World& world, const scenario::ExpectFile& expect);
// The trace log: sigilon.log in the folder the host's TEMP (or TMP) names.
Verdict checkLog(const World& world, const scenario::ExpectLog& expect);
Verdict checkUninstallResult(const scenario::ExpectUninstallResult& expect,
                             const std::optional<long>& last);

}  // namespace simhost
