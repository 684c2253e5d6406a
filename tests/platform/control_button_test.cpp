// Buttons: what a click does to each kind, the check state's range, radio
// groups bounded by WS_GROUP, and the refusal of messages not implemented.
#include <gtest/gtest.h>

#include "dialog_test_support.h"

namespace wintest {
namespace {

using Buttons = ControlTest;

TEST_F(Buttons, AClickTogglesAutomaticKindsAndTellsTheParent) {
  struct Case {
    const char* name;
    DWORD type;
    std::vector<int> checks;  // BM_GETCHECK after each of three clicks
  } cases[] = {
      {"push", BS_PUSHBUTTON, {0, 0, 0}},    {"default push", BS_DEFPUSHBUTTON, {0, 0, 0}},
      {"check box", BS_CHECKBOX, {0, 0, 0}}, {"auto check box", BS_AUTOCHECKBOX, {1, 0, 1}},
      {"3-state", BS_3STATE, {0, 0, 0}},     {"auto 3-state", BS_AUTO3STATE, {1, 2, 0}},
      {"radio", BS_RADIOBUTTON, {0, 0, 0}},  {"auto radio", BS_AUTORADIOBUTTON, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND button = Make("BUTTON", 40, c.type);
    ASSERT_NE(button, nullptr);
    Log().clear();
    for (int expected : c.checks) {
      SendMessageA(button, BM_CLICK, 0, 0);
      EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), expected);
    }
    EXPECT_EQ(Commands(), (CommandList{{40, BN_CLICKED}, {40, BN_CLICKED}, {40, BN_CLICKED}}));
    EXPECT_EQ(GetFocus(), button);  // a click takes the focus
    DestroyWindow(button);
  }
}

TEST_F(Buttons, DisabledButtonsAndGroupBoxesIgnoreClicks) {
  HWND disabled = Make("Button", 41, BS_AUTOCHECKBOX | WS_DISABLED);
  HWND group = Make("Button", 42, BS_GROUPBOX, "Marking");
  Log().clear();
  SendMessageA(disabled, BM_CLICK, 0, 0);
  SendMessageA(group, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(disabled, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(Commands().empty());
  EnableWindow(disabled, TRUE);
  SendMessageA(disabled, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(disabled, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Buttons, SetCheckKeepsToWhatTheKindCanShow) {
  struct Case {
    DWORD type;
    WPARAM set;
    LRESULT got;
  } cases[] = {
      {BS_CHECKBOX, BST_CHECKED, BST_CHECKED},
      {BS_AUTOCHECKBOX, BST_INDETERMINATE, BST_CHECKED},  // two states: shown as checked
      {BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
      {BS_AUTO3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
      {BS_RADIOBUTTON, BST_CHECKED, BST_CHECKED},
      {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},  // nothing to check
      {BS_GROUPBOX, BST_CHECKED, BST_UNCHECKED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    HWND button = Make("Button", 43, c.type);
    SendMessageA(button, BM_SETCHECK, c.set, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), c.got);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & 3, c.got);
    DestroyWindow(button);
  }
  EXPECT_TRUE(Commands().empty());  // setting the check is not a click
}

TEST_F(Buttons, StateReportsPushedAndFocus) {
  HWND button = Make("Button", 44, BS_AUTOCHECKBOX);
  SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(button, BM_SETSTATE, TRUE, 0);
  SetFocus(button);
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_CHECKED | BST_PUSHED | BST_FOCUS);
  SendMessageA(button, BM_SETSTATE, FALSE, 0);
  SetFocus(nullptr);
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_CHECKED);
}

TEST_F(Buttons, SetStyleChangesOnlyTheKind) {
  HWND button = Make("Button", 45, BS_PUSHBUTTON | WS_TABSTOP);
  SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON | WS_GROUP, TRUE);
  DWORD style = static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE));
  EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_FALSE(style & WS_GROUP);
}

TEST_F(Buttons, AutoRadioUnchecksTheOthersOfItsGroupOnly) {
  // Group one: 1, 2, 3 (a push button inside); group two starts at 4 (WS_GROUP).
  HWND r1 = Make("Button", 1, BS_AUTORADIOBUTTON | WS_GROUP);
  HWND r2 = Make("Button", 2, BS_AUTORADIOBUTTON);
  HWND push = Make("Button", 9, BS_PUSHBUTTON);
  HWND r3 = Make("Button", 3, BS_AUTORADIOBUTTON);
  HWND r4 = Make("Button", 4, BS_AUTORADIOBUTTON | WS_GROUP);
  HWND plain = Make("Button", 5, BS_RADIOBUTTON);  // not automatic: left alone
  for (HWND r : {r1, r3, r4, plain}) SendMessageA(r, BM_SETCHECK, BST_CHECKED, 0);

  SendMessageA(r2, BM_CLICK, 0, 0);
  struct Expected {
    HWND button;
    LRESULT check;
  } expected[] = {{r1, 0}, {r2, 1}, {push, 0}, {r3, 0}, {r4, 1}, {plain, 1}};
  for (const Expected& e : expected) {
    EXPECT_EQ(SendMessageA(e.button, BM_GETCHECK, 0, 0), e.check) << GetDlgCtrlID(e.button);
  }
  // The checked radio button is its group's tab stop.
  EXPECT_TRUE(GetWindowLongA(r2, GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongA(r1, GWL_STYLE) & WS_TABSTOP);

  // Clicking in the second group leaves the first alone.
  SendMessageA(plain, BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(r4, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Buttons, MessagesOfTheFamilyNotImplementedAreRefusedLoudly) {
  HWND button = Make("Button", 46, BS_PUSHBUTTON);
  SetLastError(0);
  EXPECT_EQ(SendMessageA(button, 0x00F7 /* BM_SETIMAGE */, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST_F(Buttons, StaticsKeepTextAndIcons) {
  HWND label = Make("STATIC", -1, SS_LEFT, "Classification:");
  HWND icon = Make("Static", 50, SS_ICON, "#118");
  char text[32];
  GetWindowTextA(label, text, sizeof text);
  EXPECT_STREQ(text, "Classification:");
  HICON handle = reinterpret_cast<HICON>(static_cast<ULONG_PTR>(0x5678));
  EXPECT_EQ(SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(handle), 0), 0);
  EXPECT_EQ(SendMessageA(icon, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(handle));
  SetLastError(0);
  EXPECT_EQ(SendMessageA(label, 0x0174, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

}  // namespace
}  // namespace wintest
