#include "extension/about_dialog.h"

#include "extension/centre_dialog.h"
#include "tests/support/extension_module.h"

namespace {

using AboutBox = sigtest::ExtensionModule;

TEST_F(AboutBox, ClosesWithOneWhicheverWayTheUserLeaves) {
  agent_.QueueDialog({sigtest::Click(1044)});
  EXPECT_EQ(DialogBoxParamA(ghInstDLL, MAKEINTRESOURCEA(120), nullptr, AboutDlg, 0), 1);
  EXPECT_EQ(DialogBoxParamA(ghInstDLL, MAKEINTRESOURCEA(120), nullptr, AboutDlg, 0), 1);  // close box
  const auto& transcript = sigplat::Transcript();
  ASSERT_EQ(transcript.size(), 2u);
  EXPECT_EQ(transcript[0].dialog.caption, "About Sigilon for Outlook");
  EXPECT_TRUE(transcript[0].dialog.errors.empty());
}

TEST_F(AboutBox, DialogsAreCentredOnAnEightPixelGrid) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "CentreProbe";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, "CentreProbe", "", WS_POPUP, 0, 0, 301, 201, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  CentreDialog(hwnd);
  RECT rc;
  GetWindowRect(hwnd, &rc);
  EXPECT_EQ(rc.left, ((1024 - 301) / 2 + 4) & ~7);
  EXPECT_EQ(rc.top, (768 - 201) / 2);
  EXPECT_EQ(rc.right - rc.left, 301);
  DestroyWindow(hwnd);
  UnregisterClassA("CentreProbe", nullptr);
}

}  // namespace
