// Comparisons of names that Windows treats without regard to case (class
// names, window titles in FindWindowA). ASCII letters fold; other bytes
// compare as they are.
#pragma once

#include <string_view>

namespace sigplat {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace sigplat
