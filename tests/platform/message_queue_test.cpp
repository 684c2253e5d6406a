// The UI thread's queue: posting, the order messages come out in, filters,
// dispatch, and what GetMessageA does when there is nothing to wait for.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "message_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using MessageQueue = MessageTest;

const HWND kThreadOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

// Takes every message the filter lets through, in order.
std::vector<UINT> Drain(HWND filter, UINT first = 0, UINT last = 0) {
  std::vector<UINT> taken;
  MSG msg{};
  while (PeekMessageA(&msg, filter, first, last, PM_REMOVE)) taken.push_back(msg.message);
  return taken;
}

TEST_F(MessageQueue, PostedInOrderThenQuitThenTimers) {
  HWND hwnd = Top("top");
  ASSERT_EQ(SetTimer(hwnd, 9, 20, nullptr), 9u);
  UINT_PTR threadTimer = SetTimer(nullptr, 0, 80, nullptr);
  ASSERT_NE(threadTimer, 0u);

  // Waiting for thread messages only lets the window's timer come due unseen.
  MSG msg{};
  ASSERT_EQ(GetMessageA(&msg, kThreadOnly, 0, 0), 1);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, threadTimer);
  EXPECT_EQ(GetTickCount(), 80u);

  ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 1, 0, 0));
  PostQuitMessage(3);
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER + 2, 0, 0));
  ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 3, 0, 0));

  std::vector<MSG> taken;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) taken.push_back(msg);
  // The window timer missed four periods; it still yields one WM_TIMER.
  ASSERT_EQ(taken.size(), 5u);
  EXPECT_EQ(taken[0].message, WM_USER + 1u);
  EXPECT_EQ(taken[1].message, WM_USER + 2u);
  EXPECT_EQ(taken[1].hwnd, nullptr);
  EXPECT_EQ(taken[2].message, WM_USER + 3u);
  EXPECT_EQ(taken[3].message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(taken[3].wParam, 3u);
  EXPECT_EQ(taken[4].message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(taken[4].hwnd, hwnd);
  EXPECT_EQ(taken[4].wParam, 9u);
  EXPECT_EQ(taken[4].lParam, 0);
  EXPECT_EQ(taken[4].time, 80u);
}

TEST_F(MessageQueue, GetMessageReturnsZeroForQuitAndTheQuitIsTakenOnce) {
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0));
  PostQuitMessage(42);
  MSG msg{};
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  // PM_NOREMOVE leaves the quit request where it is.
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 42u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueue, FiltersByWindowTreeThreadAndRange) {
  struct Case {
    const char* name;
    int filter;  // 0: none, 1: top, 2: child, 3: thread messages only
    UINT first, last;
    std::vector<UINT> expected;
  };
  const UINT u = WM_USER;
  const std::vector<Case> cases = {
      {"everything", 0, 0, 0, {u + 1, u + 2, u + 3, u + 4}},
      {"a window and its children", 1, 0, 0, {u + 1, u + 2}},
      {"a child alone", 2, 0, 0, {u + 2}},
      {"thread messages", 3, 0, 0, {u + 3}},
      {"a range", 0, u + 2, u + 3, {u + 2, u + 3}},
      {"a window and a range", 1, u + 2, u + 4, {u + 2}},
  };
  HWND top = Top("top");
  HWND child = Child(top, 1);
  HWND other = Top("other");
  const HWND filters[] = {nullptr, top, child, kThreadOnly};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sigplat::ResetClockForTests();
    ASSERT_TRUE(PostMessageA(top, u + 1, 0, 0));
    ASSERT_TRUE(PostMessageA(child, u + 2, 0, 0));
    ASSERT_TRUE(PostMessageA(nullptr, u + 3, 0, 0));  // a null window posts to the thread
    ASSERT_TRUE(PostMessageA(other, u + 4, 0, 0));
    EXPECT_EQ(Drain(filters[c.filter], c.first, c.last), c.expected);
    // Whatever the filter skipped is still there, in order.
    std::vector<UINT> rest = Drain(nullptr);
    EXPECT_EQ(rest.size() + c.expected.size(), 4u);
  }
}

TEST_F(MessageQueue, RefusalsSetWindowsErrors) {
  HWND hwnd = Top("top");
  HWND gone = Top("gone");
  ASSERT_TRUE(DestroyWindow(gone));
  MSG msg{};
  struct Case {
    const char* name;
    std::function<BOOL()> call;
    BOOL result;
    DWORD error;
  };
  const std::vector<Case> cases = {
      {"post to a destroyed window", [&] { return PostMessageA(gone, WM_USER, 0, 0); }, FALSE,
       ERROR_INVALID_WINDOW_HANDLE},
      {"post to another thread",
       [&] { return PostThreadMessageA(GetCurrentThreadId() + 1, WM_USER, 0, 0); }, FALSE,
       ERROR_INVALID_THREAD_ID},
      {"post a message that carries a pointer",
       [&] { return PostMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")); }, FALSE,
       ERROR_MESSAGE_SYNC_ONLY},
      {"get for a destroyed window", [&] { return GetMessageA(&msg, gone, 0, 0); }, -1,
       ERROR_INVALID_WINDOW_HANDLE},
      {"peek for a destroyed window", [&] { return PeekMessageA(&msg, gone, 0, 0, PM_REMOVE); },
       FALSE, ERROR_INVALID_WINDOW_HANDLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(0);
    EXPECT_EQ(c.call(), c.result);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueue, GetMessageWithNothingToWaitForFailsLoudlyInsteadOfHanging) {
  HWND hwnd = Top("top");
  HWND other = Top("other");
  ASSERT_NE(SetTimer(other, 1, 100, nullptr), 0u);
  MSG msg{};
  struct Case {
    const char* name;
    HWND filter;
  };
  // Only the other window has a timer: a wait for this one would never end.
  for (const Case& c : {Case{"empty queue, filtered", hwnd}, Case{"empty queue", nullptr}}) {
    SCOPED_TRACE(c.name);
    if (!c.filter) {
      ASSERT_TRUE(KillTimer(other, 1));
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetMessageA(&msg, c.filter, 0, 0), -1);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("GetMessageA would wait forever"), std::string::npos) << err;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_POSSIBLE_DEADLOCK));
    EXPECT_EQ(GetTickCount(), 0u);  // no time passed for a wait that never happened
  }
}

TEST_F(MessageQueue, DispatchSendsPostedMessagesToTheProcedureAndStampsTheTime) {
  HWND hwnd = Top("top");
  sigplat::AdvanceClock(30);
  ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 7, 11, 22));
  ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 8, 0, 0));
  Log().clear();
  MSG msg{};
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.time, 30u);
  EXPECT_FALSE(TranslateMessage(&msg));
  DispatchMessageA(&msg);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Log()[0].hwnd, hwnd);
  EXPECT_EQ(Log()[0].msg, WM_USER + 7u);
  EXPECT_EQ(Log()[0].wParam, 11u);
  EXPECT_EQ(Log()[0].lParam, 22);
  // A thread message has no window procedure to go to.
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(DispatchMessageA(&msg), 0);
  EXPECT_EQ(Log().size(), 1u);
}

TEST_F(MessageQueue, MessagesForADestroyedWindowAreDropped) {
  HWND top = Top("top");
  HWND child = Child(top, 1);
  ASSERT_TRUE(PostMessageA(child, WM_USER + 1, 0, 0));
  ASSERT_TRUE(PostMessageA(top, WM_USER + 2, 0, 0));
  ASSERT_TRUE(PostMessageA(child, WM_USER + 3, 0, 0));
  ASSERT_TRUE(DestroyWindow(child));
  EXPECT_EQ(Drain(nullptr), std::vector<UINT>{WM_USER + 2});
}

TEST_F(MessageQueue, PumpDispatchesEverythingButLeavesTheQuitForTheHost) {
  HWND hwnd = Top("top");
  ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 1, 0, 0));
  PostQuitMessage(5);
  ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 2, 0, 0));
  Log().clear();
  sigplat::PumpMessages();
  ASSERT_EQ(Log().size(), 2u);
  EXPECT_EQ(Log()[0].msg, WM_USER + 1u);
  EXPECT_EQ(Log()[1].msg, WM_USER + 2u);
  MSG msg{};
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace
}  // namespace wintest
