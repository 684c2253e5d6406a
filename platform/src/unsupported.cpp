#include "unsupported.h"

#include <cstdio>

#include "winapi.h"

namespace sigplat {

void ReportFailure(const char* api, const std::string& reason, DWORD error) {
  std::fprintf(stderr, "sigilon platform: %s: %s (error %lu)\n", api, reason.c_str(),
               static_cast<unsigned long>(error));
  SetLastError(error);
}

}  // namespace sigplat
