// The Windows version the simulated machine reports: Windows 2000 by default,
// Windows 98 when the host asks for the other platform family.
#include <atomic>
#include <cstdio>
#include <cstring>

#include "sigplat/world.h"
#include "winapi.h"

namespace {
std::atomic<DWORD> g_platformId{VER_PLATFORM_WIN32_NT};
}

namespace sigplat {

void SetPlatformId(DWORD platformId) {
  if (platformId != VER_PLATFORM_WIN32_NT && platformId != VER_PLATFORM_WIN32_WINDOWS) {
    std::fprintf(stderr, "sigplat: SetPlatformId(%u): only NT (2) and Windows (1) are known\n",
                 static_cast<unsigned>(platformId));
    return;
  }
  g_platformId = platformId;
}

}  // namespace sigplat

WINBASEAPI BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
  if (!lpVersionInformation) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (lpVersionInformation->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  OSVERSIONINFOA& info = *lpVersionInformation;
  std::memset(info.szCSDVersion, 0, sizeof info.szCSDVersion);
  info.dwPlatformId = g_platformId;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    info.dwMajorVersion = 5;
    info.dwMinorVersion = 0;
    info.dwBuildNumber = 2195;
  } else {
    info.dwMajorVersion = 4;
    info.dwMinorVersion = 10;
    // Windows 9x keeps the version in the high word of the build number.
    info.dwBuildNumber = (4u << 24) | (10u << 16) | 2222u;
  }
  return TRUE;
}
