// Edit controls: text and selection messages, the limit on what the user
// types, typed keys, and EN_CHANGE.
#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"

namespace wintest {
namespace {

using Edits = ControlTest;

std::string TextOf(HWND hwnd) {
  char buffer[256];
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::pair<DWORD, DWORD> Sel(HWND edit) {
  DWORD start = 99, end = 99;
  LRESULT packed = SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(packed, MAKELONG(start, end));
  return {start, end};
}

void TypeText(HWND edit, const std::string& keys) {
  for (char c : keys) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

TEST_F(Edits, TextSelectionAndReplacement) {
  HWND edit = Make("EDIT", 10, ES_AUTOHSCROLL | WS_TABSTOP, "Secret");
  EXPECT_EQ(TextOf(edit), "Secret");
  EXPECT_EQ(GetWindowTextLengthA(edit), 6);
  char small[4];
  EXPECT_EQ(GetWindowTextA(edit, small, sizeof small), 3);  // bounded by the buffer
  EXPECT_STREQ(small, "Sec");

  struct Case {
    int start, end;
    const char* replacement;
    const char* text;
    std::pair<DWORD, DWORD> selAfterSet;
  } cases[] = {
      {0, -1, "Top Secret", "Top Secret", {0, 6}},  // -1: to the end
      {4, 3, "", "TopSecret", {3, 4}},              // reversed ends come back ordered
      {3, 3, " ", "Top Secret", {3, 3}},
      {100, 200, "!", "Top Secret!", {10, 10}},  // past the end: the end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
    EXPECT_EQ(Sel(edit), c.selAfterSet);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(c.replacement));
    EXPECT_EQ(TextOf(edit), c.text);
  }
  EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{11, 11}));  // caret after the insertion
  SendMessageA(edit, EM_SETSEL, 2, 5);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // drops the selection
  EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{5, 5}));
  EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
  SetWindowTextA(edit, "Unclassified");
  EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{0, 0}));
}

TEST_F(Edits, TheLimitBindsTypingAndReplacementButNotSetText) {
  HWND edit = Make("Edit", 11, 0);
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 30000);
  SendMessageA(edit, EM_LIMITTEXT, 5, 0);
  Log().clear();
  TypeText(edit, "abcdefg");
  EXPECT_EQ(TextOf(edit), "abcde");
  SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("xyz"));
  EXPECT_EQ(TextOf(edit), "abcde");
  SetWindowTextA(edit, "longer than five");
  EXPECT_EQ(TextOf(edit), "longer than five");
  // Five keys changed the text; the cut ones and the replacement told of the limit.
  int changes = 0, maxText = 0;
  for (const auto& [id, code] : Commands()) {
    EXPECT_EQ(id, 11);
    changes += code == EN_CHANGE;
    maxText += code == EN_MAXTEXT;
  }
  EXPECT_EQ(changes, 6);  // five keys and SetWindowText
  EXPECT_EQ(maxText, 3);
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(Edits, TypedKeysFollowTheStyle) {
  struct Case {
    const char* name;
    DWORD style;
    const char* keys;
    const char* text;
  } cases[] = {
      {"plain", 0, "Ab1\b2", "Ab2"},
      {"upper case", ES_UPPERCASE, "Secret", "SECRET"},
      {"lower case", ES_LOWERCASE, "Secret", "secret"},
      {"numbers", ES_NUMBER, "1a2b3", "123"},
      {"read-only", ES_READONLY, "abc", ""},
      {"single line ignores Enter", 0, "a\rb", "ab"},
      {"multi line", ES_MULTILINE, "a\rb", "a\r\nb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND edit = Make("Edit", 12, c.style);
    TypeText(edit, c.keys);
    EXPECT_EQ(TextOf(edit), c.text);
    DestroyWindow(edit);
  }
}

TEST_F(Edits, TypingNotifiesUpdateThenChangeForEachKey) {
  HWND edit = Make("Edit", 13, 0);
  Log().clear();
  TypeText(edit, "ab");
  EXPECT_EQ(Commands(),
            (CommandList{{13, EN_UPDATE}, {13, EN_CHANGE}, {13, EN_UPDATE}, {13, EN_CHANGE}}));
  Log().clear();
  SendMessageA(edit, WM_CHAR, '\b', 1);
  SendMessageA(edit, WM_CHAR, '\b', 1);
  SendMessageA(edit, WM_CHAR, '\b', 1);  // nothing left to delete: no change
  EXPECT_EQ(Commands().size(), 4u);
  Log().clear();
  SetFocus(edit);
  SetFocus(parent);
  EXPECT_EQ(Commands(), (CommandList{{13, EN_SETFOCUS}, {13, EN_KILLFOCUS}}));
}

TEST_F(Edits, UnimplementedMessagesAreRefused) {
  HWND edit = Make("Edit", 14, ES_MULTILINE);
  SetLastError(0);
  EXPECT_EQ(SendMessageA(edit, 0x00C4 /* EM_GETLINE */, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

}  // namespace
}  // namespace wintest
