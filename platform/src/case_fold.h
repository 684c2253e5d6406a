// Comparisons of names that Windows treats without regard to case (class
// names, window titles in FindWindowA). ASCII letters fold; other bytes
// compare as they are.
#pragma once

#include <string_view>

namespace sigplat {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Less than, equal to or greater than zero as a sorts before, with or after b
// when case is ignored: the order of a sorted list box.
int CompareIgnoringCase(std::string_view a, std::string_view b);

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace sigplat
