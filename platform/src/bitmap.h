// Device-independent bitmaps as .bmp and .ico files hold them, decoded into
// sizes, colour table and pixels. Uncompressed images only (BI_RGB), as a
// resource compiler stores them; anything else is refused with a reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win/base.h"

namespace sigplat::detail {

struct DecodedBitmap {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;               // 1, 4, 8, 16, 24 or 32, as stored
  std::vector<COLORREF> colourTable;  // indexed images (8 bits or fewer) only
  std::vector<uint8_t> indices;       // indexed images: top row first, left to right
  std::vector<COLORREF> colours;      // direct-colour images: top row first

  bool Indexed() const { return bitsPerPixel <= 8; }
  COLORREF PixelColour(int x, int y) const;  // (0, 0) is the top-left pixel
};

struct DecodedIcon {
  DecodedBitmap image;
  std::vector<uint8_t> transparent;  // the AND mask, 1 where the icon shows what is behind
};

// Return false with a reason in *error for a file that is damaged or uses a
// form not supported here.
bool DecodeBmpFile(const std::string& bytes, DecodedBitmap* bitmap, std::string* error);
bool DecodeIcoFile(const std::string& bytes, std::vector<DecodedIcon>* icons, std::string* error);

}  // namespace sigplat::detail
