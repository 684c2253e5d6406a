// The focus: messages on each move, and where it goes when its window is
// disabled, hidden or destroyed.
#include <gtest/gtest.h>

#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowFocus = WindowTest;

HWND g_focusDuringKill = nullptr;

LRESULT CALLBACK WatchingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_KILLFOCUS) g_focusDuringKill = GetFocus();
  return LoggingProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowFocus, EachMoveTellsBothWindows) {
  HWND top = Top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND edit = Child(top, 1);
  HWND button = Child(top, 2);
  SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingProc));
  Names names{{"top", top}, {"edit", edit}, {"button", button}};
  Log().clear();
  EXPECT_EQ(SetFocus(edit), nullptr);
  EXPECT_EQ(SetFocus(edit), edit);  // no change, no messages
  EXPECT_EQ(SetFocus(button), edit);
  EXPECT_EQ(g_focusDuringKill, button);  // the focus has moved before the old window hears
  EXPECT_EQ(SetFocus(nullptr), button);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(names.Trace(), (Lines{
                               "edit WM_SETFOCUS NULL",
                               "edit WM_KILLFOCUS button",
                               "button WM_SETFOCUS edit",
                               "button WM_KILLFOCUS NULL",
                           }));
}

TEST_F(WindowFocus, ADisabledWindowOrParentCannotTakeIt) {
  HWND top = Top("top");
  HWND group = Child(top, 1);
  HWND inner = Child(group, 2);
  EnableWindow(group, FALSE);
  EXPECT_EQ(SetFocus(group), nullptr);
  EXPECT_EQ(SetFocus(inner), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EnableWindow(group, TRUE);
  SetFocus(inner);
  EXPECT_EQ(GetFocus(), inner);
}

TEST_F(WindowFocus, LeavesAWindowThatIsDisabledHiddenOrDestroyed) {
  HWND top = Top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND panel = Child(top, 1);
  HWND field = Child(panel, 2);
  Names names{{"top", top}, {"panel", panel}, {"field", field}};

  SetFocus(field);
  Log().clear();
  EnableWindow(panel, FALSE);  // focus inside a disabled window goes nowhere
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(names.Trace(), (Lines{"panel WM_CANCELMODE", "field WM_KILLFOCUS NULL",
                                  "panel WM_ENABLE FALSE"}));
  EnableWindow(panel, TRUE);

  SetFocus(field);
  Log().clear();
  ShowWindow(field, SW_HIDE);  // a hidden child hands it to its parent
  EXPECT_EQ(GetFocus(), panel);
  EXPECT_EQ(names.Trace(), (Lines{"field WM_SHOWWINDOW FALSE", "field WM_KILLFOCUS panel",
                                  "panel WM_SETFOCUS field"}));

  SetFocus(field);
  Log().clear();
  DestroyWindow(panel);  // so does a destroyed one
  EXPECT_EQ(GetFocus(), top);
  EXPECT_EQ(names.Trace(), (Lines{
                               "top WM_PARENTNOTIFY WM_DESTROY",
                               "panel WM_SHOWWINDOW FALSE",
                               "field WM_KILLFOCUS top",
                               "top WM_SETFOCUS field",
                               "panel WM_DESTROY",
                               "field WM_DESTROY",
                               "field WM_NCDESTROY",
                               "panel WM_NCDESTROY",
                           }));

  Log().clear();
  DestroyWindow(top);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(names.Trace(), (Lines{"top WM_KILLFOCUS NULL", "top WM_DESTROY", "top WM_NCDESTROY"}));
}

}  // namespace
}  // namespace wintest
