// TEMPORARY, delete at merge: stands in for the prefix unit until it lands, so
// that the registry can be built and tested alone. Gives $SIGILON_PREFIX.
#include <cstdlib>

#include "sigplat/world.h"

namespace sigplat {

WINBASEAPI std::string GetPrefix() {
  const char* prefix = std::getenv("SIGILON_PREFIX");
  return prefix ? prefix : "";
}

}  // namespace sigplat
