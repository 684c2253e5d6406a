// What a bitmap or icon handle holds, for hosts and tests: the platform
// records images rather than drawing them.
#pragma once

#include <vector>

#include "winapi.h"

namespace sigplat {

struct BitmapInfo {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;               // as stored for a DIB section; the screen's 32 otherwise
  bool dibSection = false;            // loaded with LR_CREATEDIBSECTION
  std::vector<COLORREF> colourTable;  // DIB sections of 8 bits per pixel or fewer
  std::vector<COLORREF> pixels;       // top row first, left to right
};

struct IconInfo {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  bool shared = false;            // LoadIconA's, owned by the module
  std::vector<COLORREF> pixels;   // top row first, left to right
  std::vector<bool> transparent;  // the mask, likewise
};

// False (with ERROR_INVALID_HANDLE) for a handle that is no live bitmap or icon.
SIGPLAT_API bool DescribeBitmap(HBITMAP bitmap, BitmapInfo* info);
SIGPLAT_API bool DescribeIcon(HICON icon, IconInfo* info);

}  // namespace sigplat
