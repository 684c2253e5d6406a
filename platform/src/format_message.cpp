// FormatMessageA for system messages, the only source the system asks for.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "system_messages.h"
#include "winapi.h"

namespace {

DWORD Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

DWORD FailLoudly(const char* what) {
  std::fprintf(stderr, "FormatMessageA: %s is not supported\n", what);
  return Fail(ERROR_NOT_SUPPORTED);
}

}  // namespace

WINBASEAPI DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID /*lpSource*/, DWORD dwMessageId,
                                       DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize,
                                       va_list* /*Arguments*/) {
  if (dwFlags & FORMAT_MESSAGE_FROM_STRING) return FailLoudly("FORMAT_MESSAGE_FROM_STRING");
  if (dwFlags & FORMAT_MESSAGE_FROM_HMODULE) return FailLoudly("FORMAT_MESSAGE_FROM_HMODULE");
  if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM)) return Fail(ERROR_INVALID_PARAMETER);
  if (dwFlags & FORMAT_MESSAGE_MAX_WIDTH_MASK) return FailLoudly("a maximum line width");
  if (dwLanguageId != 0 && dwLanguageId != MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)) {
    return Fail(ERROR_RESOURCE_LANG_NOT_FOUND);
  }
  const char* text = sigplat::SystemMessageText(dwMessageId);
  if (!text) return Fail(ERROR_MR_MID_NOT_FOUND);
  if (!(dwFlags & FORMAT_MESSAGE_IGNORE_INSERTS) && std::strchr(text, '%')) {
    return FailLoudly("filling inserts of a system message");
  }
  const std::string message = std::string(text) + "\r\n";
  const auto length = static_cast<DWORD>(message.size());
  if (!lpBuffer) return Fail(ERROR_INVALID_PARAMETER);

  if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    // nSize is then the least the allocation must hold.
    auto* block = static_cast<char*>(LocalAlloc(LMEM_FIXED, std::max<SIZE_T>(nSize, length + 1)));
    if (!block) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    std::memcpy(block, message.c_str(), length + 1);
    *reinterpret_cast<LPSTR*>(lpBuffer) = block;
    return length;
  }
  if (nSize < length + 1) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(lpBuffer, message.c_str(), length + 1);
  return length;
}
