// Timers on the virtual clock: ids and replacement, firing in due order with
// the right time, periodic re-arming, killing and setting from callbacks, the
// wait in GetMessageA, and timers dying with their window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using Timers = MessageTest;

// Logs "<id>@<dwTime>" and checks that dwTime is the clock's own time.
VOID CALLBACK Record(HWND, UINT msg, UINT_PTR id, DWORD time) {
  EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(time, GetTickCount());
  Events().push_back(std::to_string(id) + "@" + std::to_string(time));
}

VOID CALLBACK RecordOther(HWND, UINT, UINT_PTR id, DWORD time) {
  Events().push_back("other " + std::to_string(id) + "@" + std::to_string(time));
}

TEST_F(Timers, FireInDueOrderWithTheirDueTimeAndRearmFromIt) {
  UINT_PTR a = SetTimer(nullptr, 0, 30, Record);
  UINT_PTR b = SetTimer(nullptr, 0, 10, Record);
  UINT_PTR c = SetTimer(nullptr, 0, 20, Record);
  ASSERT_TRUE(a && b && c);
  ASSERT_TRUE(a != b && b != c && a != c);
  sigplat::AdvanceClock(35);
  auto at = [](UINT_PTR id, int time) { return std::to_string(id) + "@" + std::to_string(time); };
  // Timers due at the same moment fire in the order they were set.
  EXPECT_EQ(Events(), (Lines{at(b, 10), at(b, 20), at(c, 20), at(a, 30), at(b, 30)}));
  EXPECT_EQ(sigplat::VirtualClock(), 35u);
  EXPECT_EQ(GetTickCount(), 35u);
  Events().clear();
  sigplat::AdvanceClock(5);  // b is due at 40, one period after its last due time
  EXPECT_EQ(Events(), (Lines{at(b, 40), at(c, 40)}));
}

TEST_F(Timers, PeriodsAreClampedToTheMinimum) {
  UINT_PTR id = SetTimer(nullptr, 0, 0, Record);
  sigplat::AdvanceClock(25);
  EXPECT_EQ(Events(), (Lines{std::to_string(id) + "@10", std::to_string(id) + "@20"}));
}

TEST_F(Timers, ThreadTimerIdsAreMadeUpUnlessTheyNameALiveTimer) {
  UINT_PTR first = SetTimer(nullptr, 0, 100, Record);
  UINT_PTR made = SetTimer(nullptr, 5000, 100, Record);
  EXPECT_NE(made, 5000u);  // an id naming no thread timer is ignored
  EXPECT_NE(made, first);
  // Naming a live thread timer replaces it: new period, new procedure.
  EXPECT_EQ(SetTimer(nullptr, first, 40, RecordOther), first);
  ASSERT_TRUE(KillTimer(nullptr, made));
  sigplat::AdvanceClock(100);
  std::string other = "other " + std::to_string(first);
  EXPECT_EQ(Events(), (Lines{other + "@40", other + "@80"}));
}

TEST_F(Timers, WindowTimersAreTheWindowsIdsAndReplaceEachOther) {
  HWND a = Top("a");
  HWND b = Top("b");
  EXPECT_EQ(SetTimer(a, 7, 50, nullptr), 7u);
  EXPECT_EQ(SetTimer(b, 7, 30, Record), 7u);
  EXPECT_EQ(SetTimer(a, 7, 20, nullptr), 7u);    // replaces a's, not b's
  EXPECT_NE(SetTimer(a, 0, 1000, nullptr), 0u);  // id 0 is a window's to use; success is not 0
  Log().clear();
  sigplat::AdvanceClock(45);
  // Without a TIMERPROC the window procedure gets WM_TIMER with the id.
  int toWindow = 0;
  for (const Sent& s : Log()) {
    if (s.msg != WM_TIMER) continue;
    EXPECT_EQ(s.hwnd, a);
    EXPECT_EQ(s.wParam, 7u);
    EXPECT_EQ(s.lParam, 0);
    toWindow++;
  }
  EXPECT_EQ(toWindow, 2);  // at 20 and 40
  EXPECT_EQ(Events(), (Lines{"7@30"}));
}

TEST_F(Timers, KilledInACallbackNeverFireAgainAndNewOnesCountFromNow) {
  static UINT_PTR s_victim;
  auto killer = [](HWND, UINT, UINT_PTR id, DWORD time) {
    Events().push_back("killer@" + std::to_string(time));
    EXPECT_TRUE(KillTimer(nullptr, s_victim));  // due at this same moment
    EXPECT_TRUE(KillTimer(nullptr, id));
    SetTimer(nullptr, 0, 25, Record);
  };
  ASSERT_NE(SetTimer(nullptr, 0, 10, killer), 0u);
  s_victim = SetTimer(nullptr, 0, 10, Record);
  sigplat::AdvanceClock(40);
  ASSERT_EQ(Events().size(), 2u);
  EXPECT_EQ(Events()[0], "killer@10");
  EXPECT_EQ(Events()[1].substr(Events()[1].find('@')), "@35");
}

TEST_F(Timers, PostedMessagesGoBeforeATimerDueAtTheSameMoment) {
  static HWND s_hwnd;
  s_hwnd = Top("top");
  auto poster = [](HWND, UINT, UINT_PTR, DWORD) {
    Events().push_back("poster");
    PostMessageA(s_hwnd, WM_USER, 0, 0);
  };
  auto late = [](HWND, UINT, UINT_PTR, DWORD) {
    bool posted = false;
    for (const Sent& s : Log()) posted = posted || s.msg == WM_USER;
    Events().push_back(posted ? "late after the posted message" : "late before it");
  };
  SetTimer(nullptr, 0, 10, poster);
  SetTimer(nullptr, 0, 10, late);
  Log().clear();
  sigplat::AdvanceClock(10);
  EXPECT_EQ(Events(), (Lines{"poster", "late after the posted message"}));
}

TEST_F(Timers, GetMessageWaitsByMovingTheClockToTheNextTimer) {
  UINT_PTR id = SetTimer(nullptr, 0, 250, Record);
  MSG msg{};
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(GetTickCount(), 250u);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, id);
  EXPECT_EQ(msg.time, 250u);
  EXPECT_TRUE(Events().empty());  // taking it is not firing it
  DispatchMessageA(&msg);
  EXPECT_EQ(Events(), (Lines{std::to_string(id) + "@250"}));
  // Re-armed: nothing more before 500.
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.time, 500u);
}

// A WM_TIMER taken late does not shift the timer: the next one is a period
// after the due time, not after the moment it was taken.
TEST_F(Timers, ATimerTakenLateKeepsItsRhythm) {
  HWND hwnd = Top("top");
  ASSERT_EQ(SetTimer(hwnd, 1, 20, nullptr), 1u);
  ASSERT_NE(SetTimer(nullptr, 0, 30, nullptr), 0u);
  MSG msg{};
  ASSERT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)), 0, 0), 1);
  ASSERT_EQ(GetTickCount(), 30u);
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE));  // due at 20, taken at 30
  EXPECT_EQ(msg.hwnd, hwnd);
  ASSERT_EQ(GetMessageA(&msg, hwnd, 0, 0), 1);
  EXPECT_EQ(msg.time, 40u);
}

TEST_F(Timers, ATimerProcIsCalledOnlyWhileATimerHasIt) {
  MSG forged{};
  forged.message = WM_TIMER;
  forged.wParam = 1;
  forged.lParam = reinterpret_cast<LPARAM>(&RecordOther);
  DispatchMessageA(&forged);
  EXPECT_TRUE(Events().empty());
  UINT_PTR id = SetTimer(nullptr, 0, 100, RecordOther);
  DispatchMessageA(&forged);
  EXPECT_EQ(Events(), (Lines{"other 1@0"}));
  ASSERT_TRUE(KillTimer(nullptr, id));
  DispatchMessageA(&forged);
  EXPECT_EQ(Events().size(), 1u);
}

TEST_F(Timers, KillingUnknownTimersFails) {
  HWND hwnd = Top("top");
  UINT_PTR id = SetTimer(nullptr, 0, 10, Record);
  ASSERT_TRUE(KillTimer(nullptr, id));
  SetLastError(0);
  EXPECT_FALSE(KillTimer(nullptr, id));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(KillTimer(hwnd, 3));
  ASSERT_TRUE(DestroyWindow(hwnd));
  EXPECT_FALSE(KillTimer(hwnd, 3));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(SetTimer(hwnd, 3, 10, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(Timers, TimersDieWithTheirWindowAndItsChildren) {
  HWND top = Top("top");
  HWND child = Child(top, 1);
  ASSERT_NE(SetTimer(top, 1, 10, Record), 0u);
  ASSERT_NE(SetTimer(child, 2, 10, Record), 0u);
  ASSERT_NE(SetTimer(child, 3, 10, nullptr), 0u);
  sigplat::AdvanceClock(10);
  EXPECT_EQ(Events(), (Lines{"1@10", "2@10"}));
  ASSERT_TRUE(DestroyWindow(top));
  Events().clear();
  sigplat::AdvanceClock(100);
  EXPECT_TRUE(Events().empty());
  MSG msg{};
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
}  // namespace wintest
