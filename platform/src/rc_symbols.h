// The names a resource script may use without defining them: what windows.h
// and commctrl.h give rc.exe, for the styles and ids the platform knows.
#pragma once

#include <cstdint>
#include <string>

namespace sigplat::detail {

// False for a name the platform does not know.
bool LookupRcSymbol(const std::string& name, uint32_t* value);

// The names that stand for strings: the common controls' class names.
bool LookupRcStringSymbol(const std::string& name, std::string* value);

}  // namespace sigplat::detail
