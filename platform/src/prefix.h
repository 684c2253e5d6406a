// The prefix as the platform's own units see it.
#pragma once

#include <string>

namespace sigplat::detail {

// Grows by one on every SetPrefix, so units that cache files of the prefix
// (the registry hives) notice that they must reload.
unsigned long PrefixGeneration();

// Creates a folder and its missing parents; false when that fails.
bool MakeDirectories(const std::string& posixDir);

}  // namespace sigplat::detail
