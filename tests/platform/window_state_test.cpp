// Visible and enabled state, rectangles and the screen.
#include <gtest/gtest.h>

#include <stdexcept>

#include "sigplat/screen.h"
#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowState = WindowTest;

TEST_F(WindowState, AChildIsVisibleOnlyWhenItsAncestorsAre) {
  HWND top = Top("top");
  HWND panel = Child(top, 1);
  HWND field = Child(panel, 2);
  struct Step {
    const char* name;
    HWND window;
    int command;
    BOOL wasVisible;
    BOOL fieldVisible;
  } steps[] = {
      {"top hidden", nullptr, 0, FALSE, FALSE},
      {"show top", top, SW_SHOW, FALSE, TRUE},
      {"hide panel", panel, SW_HIDE, TRUE, FALSE},
      {"hide panel again", panel, SW_HIDE, FALSE, FALSE},
      {"show panel", panel, SW_SHOWNORMAL, FALSE, TRUE},
      {"hide top", top, SW_HIDE, TRUE, FALSE},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    if (s.window) {
      EXPECT_EQ(ShowWindow(s.window, s.command), s.wasVisible);
    }
    EXPECT_EQ(IsWindowVisible(field), s.fieldVisible);
  }
  // The child's own flag never changed.
  EXPECT_TRUE(GetWindowLongA(field, GWL_STYLE) & WS_VISIBLE);
  SetLastError(0);
  EXPECT_FALSE(ShowWindow(top, 3 /* SW_MAXIMIZE */));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  SetLastError(0);
  EXPECT_FALSE(ShowWindow(top, 99));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowState, ShowAndEnableTellTheWindowOnlyOfChanges) {
  HWND top = Top("top");
  Names names{{"top", top}};
  Log().clear();
  ShowWindow(top, SW_SHOW);
  ShowWindow(top, SW_SHOW);
  ShowWindow(top, SW_HIDE);
  ShowWindow(top, SW_SHOWNA);  // the size is told only on the first show
  EXPECT_FALSE(EnableWindow(top, FALSE));
  EXPECT_TRUE(EnableWindow(top, FALSE));
  EXPECT_FALSE(IsWindowEnabled(top));
  EXPECT_TRUE(EnableWindow(top, TRUE));
  EXPECT_TRUE(IsWindowEnabled(top));
  EXPECT_EQ(names.Trace(), (Lines{
                               "top WM_SHOWWINDOW TRUE",
                               "top WM_SIZE",
                               "top WM_MOVE",
                               "top WM_SHOWWINDOW FALSE",
                               "top WM_SHOWWINDOW TRUE",
                               "top WM_CANCELMODE",
                               "top WM_ENABLE FALSE",
                               "top WM_ENABLE TRUE",
                           }));
}

TEST_F(WindowState, RectanglesAreOnTheScreenAndClientAreasAtTheOrigin) {
  HWND top = Top("top");  // at (10, 20), 300 x 200
  HWND panel = Child(top, 1);  // at (5, 6) in the top window, 50 x 40
  HWND field = CreateWindowExA(0, kClass, "", WS_CHILD, 2, 3, 10, 11, panel, nullptr, kInstance,
                               nullptr);
  RECT r;
  ASSERT_TRUE(GetWindowRect(field, &r));
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{17, 29, 27, 40}));
  ASSERT_TRUE(GetClientRect(field, &r));
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{0, 0, 10, 11}));

  Names names{{"panel", panel}};
  Log().clear();
  EXPECT_TRUE(MoveWindow(panel, 5, 6, 70, -5, TRUE));  // same place, new size (no negatives)
  EXPECT_TRUE(MoveWindow(panel, 0, 0, 70, 0, TRUE));   // new place, same size
  EXPECT_TRUE(MoveWindow(panel, 0, 0, 70, 0, TRUE));   // nothing new
  EXPECT_EQ(names.Trace(), (Lines{"panel WM_SIZE", "panel WM_MOVE"}));
  EXPECT_EQ(Log()[0].lParam, MAKELPARAM(70, 0));
  ASSERT_TRUE(GetWindowRect(field, &r));
  EXPECT_EQ((std::vector<LONG>{r.left, r.top}), (std::vector<LONG>{12, 23}));
}

TEST_F(WindowState, DefaultPlacementAndTheScreen) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  HWND top = CreateWindowExA(0, kClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT,
                             0, nullptr, nullptr, kInstance, nullptr);
  HWND child = CreateWindowExA(0, kClass, "", WS_CHILD, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, top,
                               nullptr, kInstance, nullptr);
  RECT r;
  GetWindowRect(top, &r);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{0, 0, 768, 576}));
  GetClientRect(child, &r);
  EXPECT_EQ((std::vector<LONG>{r.right, r.bottom}), (std::vector<LONG>{0, 0}));

  sigplat::SetScreenSize(1280, 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
  EXPECT_THROW(sigplat::SetScreenSize(0, 600), std::invalid_argument);
  sigplat::SetScreenSize(1024, 768);
  SetLastError(0);
  EXPECT_EQ(GetSystemMetrics(2 /* SM_CXVSCROLL */), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

}  // namespace
}  // namespace wintest
