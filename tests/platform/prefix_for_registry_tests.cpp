// TEMPORARY, delete at merge: stands in for the prefix unit until it lands, so
// that the registry can be built and tested alone. The prefix is
// $SIGILON_PREFIX, and setting it sets that variable.
#include <cstdlib>

#include "sigplat/world.h"

namespace sigplat {

WINBASEAPI void SetPrefix(const std::string& posixDir) {
  setenv("SIGILON_PREFIX", posixDir.c_str(), 1);
}

WINBASEAPI std::string GetPrefix() {
  const char* prefix = std::getenv("SIGILON_PREFIX");
  return prefix ? prefix : "";
}

}  // namespace sigplat
