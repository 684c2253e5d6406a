// Window text goes through the window's procedure, so a subclass or a
// control answers for it; every buffer is truncated and terminated.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowText = WindowTest;

WNDPROC g_original = nullptr;

// A subclass that keeps titles in upper case and hides a secret from readers.
LRESULT CALLBACK ShoutingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT) {
    std::string upper = reinterpret_cast<const char*>(lParam);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return CallWindowProcA(g_original, hwnd, msg, wParam, reinterpret_cast<LPARAM>(upper.c_str()));
  }
  if (msg == WM_GETTEXT) {
    char own[64];
    CallWindowProcA(g_original, hwnd, WM_GETTEXT, sizeof own, reinterpret_cast<LPARAM>(own));
    std::string shown = std::strcmp(own, "SECRET") == 0 ? "******" : own;
    if (wParam == 0) return 0;
    size_t count = std::min(shown.size(), static_cast<size_t>(wParam) - 1);
    std::memcpy(reinterpret_cast<char*>(lParam), shown.data(), count);
    reinterpret_cast<char*>(lParam)[count] = '\0';
    return static_cast<LRESULT>(count);
  }
  return CallWindowProcA(g_original, hwnd, msg, wParam, lParam);
}

TEST_F(WindowText, TitleFromCreationThroughDefWindowProc) {
  HWND hwnd = Top("Untitled - Message");
  char buffer[64];
  EXPECT_EQ(GetWindowTextLengthA(hwnd), 18);
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 18);
  EXPECT_STREQ(buffer, "Untitled - Message");
  EXPECT_TRUE(SetWindowTextA(hwnd, nullptr));
  EXPECT_EQ(GetWindowTextLengthA(hwnd), 0);
}

TEST_F(WindowText, ReadsAreTruncatedAndTerminated) {
  HWND hwnd = Top("abcdef");
  struct Case {
    int size;
    int copied;
    const char* text;
  } cases[] = {{7, 6, "abcdef"}, {6, 5, "abcde"}, {2, 1, "a"}, {1, 0, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    char buffer[8];
    std::memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, c.size), c.copied);
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(buffer[c.size], 'z');  // nothing written past the size given
  }
  char untouched = 'z';
  EXPECT_EQ(GetWindowTextA(hwnd, &untouched, 0), 0);
  EXPECT_EQ(untouched, 'z');
}

TEST_F(WindowText, SubclassedProcedureAnswersForTheText) {
  HWND hwnd = Top("plain");
  g_original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ShoutingProc)));
  ASSERT_EQ(g_original, LoggingProc);
  Names names{{"w", hwnd}};
  Log().clear();
  ASSERT_TRUE(SetWindowTextA(hwnd, "Draft"));
  char buffer[16];
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "DRAFT");
  // The original procedure still saw every message, after the subclass.
  EXPECT_EQ(names.Trace(), (Lines{"w WM_SETTEXT", "w WM_GETTEXT"}));

  SetWindowTextA(hwnd, "secret");
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 6);
  EXPECT_STREQ(buffer, "******");
  // FindWindowA compares the window's own text, not what WM_GETTEXT says.
  EXPECT_EQ(FindWindowA(kClass, "secret"), hwnd);
  EXPECT_EQ(FindWindowA(kClass, "******"), nullptr);
}

// A procedure that claims to have copied more than the buffer holds and
// leaves no terminator.
LRESULT CALLBACK BraggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETTEXT) {
    std::memset(reinterpret_cast<char*>(lParam), 'q', wParam);
    return 1000;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(WindowText, ABraggingProcedureCannotOverrunTheCaller) {
  HWND hwnd = Top("x");
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BraggingProc));
  char buffer[4];
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "qqq");
}

}  // namespace
}  // namespace wintest
