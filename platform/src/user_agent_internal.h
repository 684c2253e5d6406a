// The platform's side of the user agent: whom to ask, and where each modal
// surface is recorded.
#pragma once

#include <vector>

#include "sigplat/user_agent.h"

namespace sigplat {

// The agent the host installed, or null.
UserAgent* CurrentUserAgent();

void AppendToTranscript(const TranscriptEntry& entry);

// The buttons of a message box of MB_* type, left to right; false for a
// button set that does not exist.
bool MessageBoxButtons(UINT type, std::vector<int>* buttons);

}  // namespace sigplat
