#include <gtest/gtest.h>

#include <thread>

#include "winapi.h"

TEST(LastError, IsKeptPerThread) {
  SetLastError(ERROR_MORE_DATA);
  DWORD other = 0;
  std::thread t([&] {
    SetLastError(ERROR_ACCESS_DENIED);
    other = GetLastError();
  });
  t.join();
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
  EXPECT_EQ(other, static_cast<DWORD>(ERROR_ACCESS_DENIED));
}
