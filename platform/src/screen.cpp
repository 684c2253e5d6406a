// The simulated display and GetSystemMetrics.
#include <atomic>
#include <stdexcept>
#include <string>

#include "sigplat/screen.h"
#include "unsupported.h"
#include "winapi.h"

namespace {
std::atomic<int> g_screenWidth{1024};
std::atomic<int> g_screenHeight{768};
}  // namespace

namespace sigplat {

SIGPLAT_API void SetScreenSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    throw std::invalid_argument("SetScreenSize: the screen needs a positive width and height");
  }
  g_screenWidth = width;
  g_screenHeight = height;
}

}  // namespace sigplat

WINBASEAPI int WINAPI GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN:
      return g_screenWidth;
    case SM_CYSCREEN:
      return g_screenHeight;
    default:
      sigplat::ReportFailure("GetSystemMetrics",
                             "metric " + std::to_string(nIndex) + " is not supported",
                             ERROR_NOT_SUPPORTED);
      return 0;
  }
}
