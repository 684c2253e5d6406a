#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "sigplat/world.h"
#include "winapi.h"

namespace {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the size callers put in dwOSVersionInfoSize");

TEST(Version, ChecksTheSizeAndReportsThePlatform) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info - 1;
  EXPECT_FALSE(GetVersionExA(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(info.dwMajorVersion, 5u);
  EXPECT_EQ(info.dwMinorVersion, 0u);
  EXPECT_EQ(info.dwBuildNumber, 2195u);

  sigplat::SetPlatformId(VER_PLATFORM_WIN32_WINDOWS);
  ASSERT_TRUE(GetVersionExA(&info));
  sigplat::SetPlatformId(VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
  EXPECT_EQ(info.dwMajorVersion, 4u);
  EXPECT_EQ(info.dwMinorVersion, 10u);
  EXPECT_EQ(LOWORD(info.dwBuildNumber), 2222);
}

TEST(Threads, IdsAreStableSmallAndDistinct) {
  DWORD mine = GetCurrentThreadId();
  EXPECT_NE(mine, 0u);
  EXPECT_EQ(GetCurrentThreadId(), mine);
  DWORD other = 0;
  std::thread([&] { other = GetCurrentThreadId(); }).join();
  EXPECT_NE(other, 0u);
  EXPECT_NE(other, mine);
  EXPECT_LT(other, 1000u);
}

TEST(Threads, InterlockedCountingIsAtomic) {
  volatile LONG count = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        InterlockedIncrement(&count);
        InterlockedIncrement(&count);
        InterlockedDecrement(&count);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(count, 40000);
  EXPECT_EQ(InterlockedDecrement(&count), 39999) << "returns the new value";
}

TEST(Process, SmallHelpers) {
  EXPECT_EQ(GetCurrentProcess(), reinterpret_cast<HANDLE>(-1));
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrlenA("abc"), 3);
  char time[9];
  memset(time, 'z', sizeof time);
  ASSERT_EQ(_strtime(time), time);
  ASSERT_EQ(std::strlen(time), 8u);
  for (int i : {0, 1, 3, 4, 6, 7})
    EXPECT_TRUE(isdigit(static_cast<unsigned char>(time[i]))) << time;
  EXPECT_EQ(time[2], ':');
  EXPECT_EQ(time[5], ':');
}

TEST(DebugOutput, GoesToTheSinkElseStandardError) {
  std::string seen;
  sigplat::SetDebugOutputSink([&](const std::string& text) { seen += text; });
  OutputDebugStringA("to the sink\n");
  sigplat::SetDebugOutputSink(nullptr);
  EXPECT_EQ(seen, "to the sink\n");
  testing::internal::CaptureStderr();
  OutputDebugStringA("to stderr\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr\n");
  EXPECT_FALSE(IsDebuggerPresent());
}

}  // namespace
