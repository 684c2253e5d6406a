// Places a built deliverable into the Windows world, where the hosts load it
// from, as the product's installer would.
#pragma once

#include <string>

namespace sigtest {

// Links the shared object at posixPath to the Windows path winPath under the
// current prefix.
void InstallLibrary(const std::string& posixPath, const char* winPath);

}  // namespace sigtest
