// The simulated process's environment. The system reads it with the C
// library's getenv, so the real environment is replaced, not layered over.
#include <cstdio>
#include <cstdlib>

#include "sigplat/world.h"

namespace sigplat {

void SetEnvironment(const std::vector<std::pair<std::string, std::string>>& vars) {
  // The default prefix is named by variables about to disappear.
  GetPrefix();
  clearenv();
  for (const auto& [name, value] : vars) {
    if (name.empty() || name.find('=') != std::string::npos) {
      std::fprintf(stderr, "sigplat: SetEnvironment: invalid variable name \"%s\" left out\n",
                   name.c_str());
      continue;
    }
    setenv(name.c_str(), value.c_str(), 1);
  }
}

}  // namespace sigplat
