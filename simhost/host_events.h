// The message boxes and dialogs the user saw, as events: each new entry of
// the platform's transcript is printed once and stays pending until an
// expectation takes it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sigplat/user_agent.h"

namespace simhost {

class HostEvents {
 public:
  // Starts from the transcript as it stands (a fresh world clears it).
  HostEvents();

  // Entries shown since the last call, in order.
  std::vector<sigplat::TranscriptEntry> fresh();
  // Takes the oldest pending event; none when nothing is pending.
  std::optional<sigplat::TranscriptEntry> take();
  std::vector<sigplat::TranscriptEntry> pending() const;

 private:
  std::size_t printed_ = 0;
  std::size_t taken_ = 0;
};

// One line naming an event: `message box "CAPTION" "TEXT"` or `dialog 151 "CAPTION"`.
std::string describeEvent(const sigplat::TranscriptEntry& entry);

}  // namespace simhost
