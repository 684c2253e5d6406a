// The colour map reader over any file content.
#include "fuzz/fuzz_world.h"
#include "rules/colour_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzFile("C:\\Sigilon\\SIGILON.MAP", data, size);
  std::snprintf(szFirstLineClass, kClassSize, "TOP SECRET");
  COLORREF colour = 0x123456;
  CheckColourMap(&colour);
  if (colour > 0x00FFFFFF) std::abort();
  return 0;
}
