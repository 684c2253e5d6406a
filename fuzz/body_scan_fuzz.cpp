// FindBodyClass over any text, in both marking styles, with the list it
// consults in AUTODIN style.
#include "fuzz/fuzz_world.h"
#include "rules/classification_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool listed = [] {
    const char list[] = "UNCLASSIFIED\r\nSECRET\r\nTOP SECRET\r\n";
    WriteFuzzFile("C:\\Sigilon\\SIGILON.TXT", reinterpret_cast<const uint8_t*>(list),
                  sizeof list - 1);
    return true;
  }();
  (void)listed;
  const std::string text = FuzzText(data, size);
  for (BOOL autodin : {FALSE, TRUE}) {
    bAUTODIN = autodin;
    const int result = FindBodyClass(text.c_str());
    if (result < 0 || result > 2 || std::strlen(szBodyClass) >= kClassSize) std::abort();
  }
  return 0;
}
