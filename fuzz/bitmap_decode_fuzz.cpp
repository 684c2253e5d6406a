// The bitmap and icon decoders over any bytes: they decode or give a reason,
// and every pixel they report lies inside its colour table.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bitmap.h"  // platform/src: the decoders are internal to the platform

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  sigplat::detail::DecodedBitmap bitmap;
  if (sigplat::detail::DecodeBmpFile(bytes, &bitmap, &error)) {
    for (int y = 0; y < bitmap.height; ++y)
      for (int x = 0; x < bitmap.width; ++x) bitmap.PixelColour(x, y);
  } else if (error.empty()) {
    std::abort();
  }
  std::vector<sigplat::detail::DecodedIcon> icons;
  if (!sigplat::detail::DecodeIcoFile(bytes, &icons, &error) && error.empty()) std::abort();
  return 0;
}
