// The one way the platform says no out loud: a line on standard error naming
// the function and the reason, and the Windows error code the caller sees.
#pragma once

#include <string>

#include "win/base.h"

namespace sigplat {

void ReportFailure(const char* api, const std::string& reason, DWORD error);

}  // namespace sigplat
