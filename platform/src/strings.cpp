// Kernel string helpers.
#include <cstring>

#include "winapi.h"

WINBASEAPI int WINAPI lstrlenA(LPCSTR lpString) {
  return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}
