// Windows live on one UI thread; other threads are turned away loudly.
#include <gtest/gtest.h>

#include <thread>

#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowThread = WindowTest;

TEST_F(WindowThread, AnotherThreadCannotTouchTheWindows) {
  HWND hwnd = Top("ui");
  LRESULT sent = -1;
  HWND created = reinterpret_cast<HWND>(1);
  DWORD sendError = 0, createError = 0;
  std::thread other([&] {
    sent = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    sendError = GetLastError();
    created = Top("elsewhere");
    createError = GetLastError();
  });
  other.join();
  EXPECT_EQ(sent, 0);
  EXPECT_EQ(sendError, static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
  EXPECT_EQ(created, nullptr);
  EXPECT_EQ(createError, static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
  EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), 2);
}

TEST_F(WindowThread, OnceEveryWindowIsGoneAnotherThreadMayTakeOver) {
  DestroyWindow(Top("first"));
  bool ok = false;
  std::thread other([&] {
    HWND hwnd = Top("second");
    ok = hwnd && DestroyWindow(hwnd);
  });
  other.join();
  EXPECT_TRUE(ok);
}

}  // namespace
}  // namespace wintest
