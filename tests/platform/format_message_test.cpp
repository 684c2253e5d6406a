#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "winapi.h"

namespace {

constexpr DWORD kSystem = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
constexpr DWORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);

std::string SystemText(DWORD id) {
  char buffer[512];
  DWORD n = FormatMessageA(kSystem, nullptr, id, kNeutral, buffer, sizeof buffer, nullptr);
  if (n == 0) return "<error " + std::to_string(GetLastError()) + ">";
  EXPECT_EQ(n, std::strlen(buffer));
  return std::string(buffer, n);
}

}  // namespace

TEST(FormatMessage, GivesTheSystemTextsWithTheirLineEnd) {
  const struct {
    DWORD id;
    const char* text;
  } cases[] = {
      {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
      {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
      {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.\r\n"},
      {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
      {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
      {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
      {ERROR_MORE_DATA, "More data is available.\r\n"},
      {ERROR_NO_MORE_ITEMS, "No more data is available.\r\n"},
      {ERROR_BAD_EXE_FORMAT, "%1 is not a valid Win32 application.\r\n"},
      {ERROR_KEY_DELETED,
       "Illegal operation attempted on a registry key that has been marked for deletion.\r\n"},
      {static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)), "Access is denied.\r\n"},
      {static_cast<DWORD>(E_FAIL), "Unspecified error\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(SystemText(c.id), c.text) << c.id;
  // Language 0 lets the system choose; it has only the one.
  char buffer[64];
  EXPECT_EQ(
      FormatMessageA(kSystem, nullptr, ERROR_ACCESS_DENIED, 0, buffer, sizeof buffer, nullptr),
      19u);
}

TEST(FormatMessage, AllocatesTheBufferWhenAsked) {
  char* text = nullptr;
  DWORD n = FormatMessageA(kSystem | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, ERROR_MORE_DATA,
                           kNeutral, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  ASSERT_EQ(n, 25u);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "More data is available.\r\n");
  EXPECT_EQ(LocalFree(text), nullptr);

  // nSize is the least that is allocated.
  n = FormatMessageA(kSystem | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, ERROR_SUCCESS, kNeutral,
                     reinterpret_cast<LPSTR>(&text), 4096, nullptr);
  ASSERT_GT(n, 0u);
  text[4095] = 'x';
  EXPECT_EQ(LocalFree(text), nullptr);
}

TEST(FormatMessage, FailsWithWindowsErrors) {
  char buffer[32] = "untouched";
  const DWORD accessLength = 19;  // "Access is denied.\r\n"
  EXPECT_EQ(FormatMessageA(kSystem, nullptr, ERROR_ACCESS_DENIED, kNeutral, buffer, accessLength,
                           nullptr),
            0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(FormatMessageA(kSystem, nullptr, ERROR_ACCESS_DENIED, kNeutral, buffer,
                           accessLength + 1, nullptr),
            accessLength);

  const struct {
    DWORD flags;
    DWORD id;
    DWORD language;
    DWORD error;
  } cases[] = {
      {kSystem, 0x2badu, kNeutral, ERROR_MR_MID_NOT_FOUND},
      {kSystem, ERROR_ACCESS_DENIED, MAKELANGID(0x09, 0x01), ERROR_RESOURCE_LANG_NOT_FOUND},
      {FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_IGNORE_INSERTS, 0, 0, ERROR_NOT_SUPPORTED},
      {kSystem | FORMAT_MESSAGE_FROM_HMODULE, ERROR_ACCESS_DENIED, 0, ERROR_NOT_SUPPORTED},
      {FORMAT_MESSAGE_FROM_SYSTEM, ERROR_BAD_EXE_FORMAT, 0, ERROR_NOT_SUPPORTED},
      {kSystem | FORMAT_MESSAGE_MAX_WIDTH_MASK, ERROR_ACCESS_DENIED, 0, ERROR_NOT_SUPPORTED},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(c.flags, "text", c.id, c.language, buffer, sizeof buffer, nullptr), 0u)
        << c.flags << " " << c.id;
    EXPECT_EQ(GetLastError(), c.error) << c.flags << " " << c.id;
  }
  // A text without inserts needs no IGNORE_INSERTS.
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, buffer,
                           sizeof buffer, nullptr),
            accessLength);
}

TEST(LocalMemory, AllocatesFixedBlocksAndRefusesTheRest) {
  auto* zeroed = static_cast<unsigned char*>(LocalAlloc(LPTR, 64));
  ASSERT_NE(zeroed, nullptr);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(zeroed[i], 0) << i;
  EXPECT_EQ(LocalFree(zeroed), nullptr);

  HLOCAL empty = LocalAlloc(LMEM_FIXED, 0);
  EXPECT_NE(empty, nullptr);
  EXPECT_EQ(LocalFree(empty), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);

  const UINT kMoveable = 0x0002;
  SetLastError(0);
  EXPECT_EQ(LocalAlloc(kMoveable, 16), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  // Freeing something LocalAlloc did not hand out is refused, not done.
  int onStack = 0;
  EXPECT_EQ(LocalFree(&onStack), &onStack);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
