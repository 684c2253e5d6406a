// Reads a resource script into dialogs, strings and the files of bitmaps and
// icons. Anything outside the supported subset is an error naming its line.
#pragma once

#include <string>

#include "sigplat/resource_script.h"

namespace sigplat::detail {

// Throws RcError.
ResourceScript ParseRcScript(const std::string& text, const std::string& fileName);

}  // namespace sigplat::detail
