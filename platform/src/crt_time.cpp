// Time functions of the Windows C run-time that glibc lacks.
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "winapi.h"

WINBASEAPI char* _strtime(char* timestr) {
  if (!timestr) {
    std::fprintf(stderr, "sigplat: _strtime: null buffer\n");
    errno = EINVAL;
    return nullptr;
  }
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(timestr, 9, "%H:%M:%S", &local);
  return timestr;
}
