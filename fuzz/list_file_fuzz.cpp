// The classification list reader over any file content.
#include "fuzz/fuzz_world.h"
#include "rules/classification_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzFile("C:\\Sigilon\\SIGILON.TXT", data, size);
  VerifyClassification("SECRET");
  VerifyClassification("");
  return 0;
}
