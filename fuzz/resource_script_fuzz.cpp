// The resource-script reader over any text: it accepts or names a line, and
// never reads outside its input.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sigplat/resource_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  sigplat::ResourceScript script;
  std::string error;
  if (!sigplat::ParseResourceScript(text, "fuzz.rc", &script, &error) &&
      error.compare(0, 8, "fuzz.rc:") != 0)
    std::abort();
  return 0;
}
