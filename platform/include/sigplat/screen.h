// The simulated display, as the host sets it up. GetSystemMetrics reports it;
// the default is a 1024 x 768 screen.
#pragma once

#include "win/base.h"

namespace sigplat {

// Both sizes in pixels and positive; anything else throws std::invalid_argument.
SIGPLAT_API void SetScreenSize(int width, int height);

}  // namespace sigplat
