// Case-folding string helpers of the C run-time, in the "C" locale.
#include <cctype>

#include "winapi.h"

namespace {
int Fold(char c) { return std::tolower(static_cast<unsigned char>(c)); }
}  // namespace

WINBASEAPI int _strnicmp(const char* string1, const char* string2, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const int a = Fold(string1[i]);
    const int b = Fold(string2[i]);
    if (a != b) return a - b;
    if (a == 0) return 0;
  }
  return 0;
}

WINBASEAPI int _stricmp(const char* string1, const char* string2) {
  return _strnicmp(string1, string2, static_cast<size_t>(-1));
}

WINBASEAPI char* _strupr(char* str) {
  for (char* p = str; *p; ++p) *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  return str;
}
