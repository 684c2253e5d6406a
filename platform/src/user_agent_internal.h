// The platform's side of the user agent: whom to ask, and where each modal
// surface is recorded.
#pragma once

#include <vector>

#include "sigplat/user_agent.h"

namespace sigplat {

// The agent the host installed, or null.
UserAgent* CurrentUserAgent();

void AppendToTranscript(const TranscriptEntry& entry);

// Where an entry went: its index, and the number of times the transcript had
// been cleared then. A dialog records itself when shown and completes the
// same entry when it ends, after any entries its steps added.
struct TranscriptPlace {
  size_t index = 0;
  unsigned long clearings = 0;
};
TranscriptPlace AppendToTranscriptAt(const TranscriptEntry& entry);
// The entry at that place, or null when the transcript was cleared since.
TranscriptEntry* TranscriptEntryAt(const TranscriptPlace& place);

// The buttons of a message box of MB_* type, left to right; false for a
// button set that does not exist.
bool MessageBoxButtons(UINT type, std::vector<int>* buttons);

}  // namespace sigplat
