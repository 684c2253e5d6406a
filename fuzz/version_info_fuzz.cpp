// Fuzzes the reading of version information. The first byte chooses what
// the rest is: a whole file (even), or a version block (odd) that the writer
// wraps in a well-formed image (PE32+ when bit 1 is set), so that arbitrary
// node trees reach VerQueryValueA without first having to look like a PE.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sigplat/pe_image.h"
#include "winapi.h"

namespace {

const char* const kQueries[] = {
    "\\",
    "\\VarFileInfo\\Translation",
    "\\StringFileInfo",
    "\\StringFileInfo\\040904B0\\FileVersion",
    "\\StringFileInfo\\040904B0\\FileDescription",
    "\\stringfileinfo\\040904b0\\productname\\",
};

// Every answer must lie inside the caller's buffer; read it all to let the
// sanitizer check.
void Query(std::vector<BYTE>* buffer) {
  for (const char* query : kQueries) {
    void* value = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(buffer->data(), query, &value, &len) || len == 0) continue;
    const auto* at = static_cast<const BYTE*>(value);
    if (at < buffer->data() || at + len > buffer->data() + buffer->size()) std::abort();
    volatile unsigned sum = 0;
    for (UINT i = 0; i < len; ++i) sum = sum + at[i];
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<BYTE> image;
  if (data[0] & 1) {
    sigplat::BuildVersionImage(std::vector<BYTE>(data + 1, data + size), (data[0] & 2) != 0,
                               &image);
  } else {
    image.assign(data + 1, data + size);
  }
  DWORD error = 0;
  const DWORD needed = sigplat::ImageVersionInfoSize(image.data(), image.size(), &error);
  if (needed == 0) return 0;
  // The size asked for and a short buffer, each exactly as large as claimed.
  for (DWORD len : {needed, std::max<DWORD>(10, needed / 3)}) {
    std::vector<BYTE> buffer(len);
    if (sigplat::ImageVersionInfo(image.data(), image.size(), len, buffer.data(), &error)) {
      Query(&buffer);
    }
  }
  return 0;
}
