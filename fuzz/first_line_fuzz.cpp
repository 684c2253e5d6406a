// FindFirstLineClass over any text, in both marking styles.
#include "fuzz/fuzz_world.h"
#include "rules/classification_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzWorldFile("C:\\Sigilon\\SIGILON.TXT");
  const std::string text = FuzzText(data, size);
  for (BOOL autodin : {FALSE, TRUE}) {
    bAUTODIN = autodin;
    FindFirstLineClass(text.c_str());
    if (std::strlen(szFirstLineClass) > 96) std::abort();
  }
  return 0;
}
