// List boxes and combo boxes: adding (sorted or not), deleting with the
// selection following its item, the searches, and notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"

namespace wintest {
namespace {

using Lists = ControlTest;

LPARAM Str(const char* s) { return reinterpret_cast<LPARAM>(s); }

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(SendMessageA(list, LB_GETTEXT, i, Str(text.data()))));
    items.push_back(text);
  }
  return items;
}

using Strings = std::vector<std::string>;

TEST_F(Lists, AddingInsertingAndDeleting) {
  HWND sorted = Make("LISTBOX", 20, LBS_SORT);
  HWND plain = Make("ListBox", 21, 0);
  for (const char* s : {"Secret", "confidential", "Unclassified", "Confidential", "restricted"}) {
    SendMessageA(sorted, LB_ADDSTRING, 0, Str(s));
    SendMessageA(plain, LB_ADDSTRING, 0, Str(s));
  }
  // Case is ignored; equal texts keep the order they came in.
  EXPECT_EQ(ListItems(sorted),
            (Strings{"confidential", "Confidential", "restricted", "Secret", "Unclassified"}));
  EXPECT_EQ(ListItems(plain),
            (Strings{"Secret", "confidential", "Unclassified", "Confidential", "restricted"}));

  // Inserting never sorts; -1 appends; past the end is an error.
  EXPECT_EQ(SendMessageA(sorted, LB_INSERTSTRING, 0, Str("Zulu")), 0);
  EXPECT_EQ(SendMessageA(sorted, LB_INSERTSTRING, static_cast<WPARAM>(-1), Str("Alpha")), 6);
  EXPECT_EQ(SendMessageA(sorted, LB_INSERTSTRING, 9, Str("x")), LB_ERR);
  EXPECT_EQ(SendMessageA(sorted, LB_GETTEXTLEN, 7, 0), LB_ERR);

  // The selection follows its item and goes with it.
  EXPECT_EQ(SendMessageA(plain, LB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(SendMessageA(plain, LB_DELETESTRING, 0, 0), 4);
  EXPECT_EQ(SendMessageA(plain, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(plain, LB_DELETESTRING, 1, 0), 3);
  EXPECT_EQ(SendMessageA(plain, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(plain, LB_DELETESTRING, 3, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(plain, LB_SETCURSEL, 3, 0), LB_ERR);
  SendMessageA(plain, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessageA(plain, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
  EXPECT_EQ(SendMessageA(plain, LB_GETCURSEL, 0, 0), LB_ERR);  // -1 clears it all the same
  SendMessageA(plain, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageA(plain, LB_GETCOUNT, 0, 0), 0);
  EXPECT_TRUE(Commands().empty());  // nothing here was the user's doing
}

TEST_F(Lists, SearchesStartAfterTheIndexAndWrap) {
  HWND list = Make("ListBox", 22, 0);
  for (const char* s : {"Secret", "Secret UK Eyes", "secret", "Top Secret", "Restricted"}) {
    SendMessageA(list, LB_ADDSTRING, 0, Str(s));
  }
  struct Case {
    UINT msg;
    int start;
    const char* text;
    LRESULT found;
  } cases[] = {
      {LB_FINDSTRINGEXACT, -1, "SECRET", 0},
      {LB_FINDSTRINGEXACT, 0, "secret", 2},  // starts after index 0
      {LB_FINDSTRINGEXACT, 2, "Secret", 0},  // wraps round
      {LB_FINDSTRINGEXACT, -1, "Secre", LB_ERR},
      {LB_FINDSTRINGEXACT, -1, "Secret UK", LB_ERR},
      {LB_FINDSTRING, -1, "secret u", 1},  // a prefix
      {LB_FINDSTRING, 1, "SEC", 2},
      {LB_FINDSTRING, 3, "Sec", 0},
      {LB_FINDSTRING, -1, "Secret UK Eyes Only", LB_ERR},
      {LB_FINDSTRING, 4, "R", 4},     // the start item itself comes last
      {LB_FINDSTRING, 42, "Top", 3},  // a start past the end searches it all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " from " + std::to_string(c.start));
    EXPECT_EQ(SendMessageA(list, c.msg, static_cast<WPARAM>(c.start), Str(c.text)), c.found);
  }
  EXPECT_EQ(SendMessageA(list, LB_SELECTSTRING, 0, Str("sec")), 1);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), Str("none")), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);  // kept
}

TEST_F(Lists, ItemDataAndUnsupportedKinds) {
  HWND list = Make("ListBox", 23, 0);
  SendMessageA(list, LB_ADDSTRING, 0, Str("a"));
  EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 0, 77), LB_OKAY);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 77);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), LB_ERR);
  SetLastError(0);
  EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(Make("ListBox", 24, LBS_MULTIPLESEL), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST_F(Lists, ComboBoxShowsItsSelectedEntry) {
  HWND combo = Make("COMBOBOX", 30, CBS_DROPDOWNLIST | CBS_SORT);
  for (const char* s : {"Secret", "Confidential", "Restricted"}) {
    SendMessageA(combo, CB_ADDSTRING, 0, Str(s));
  }
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(GetWindowTextLengthA(combo), 0);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Str("secret")), 2);
  EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
  char text[32];
  GetWindowTextA(combo, text, sizeof text);
  EXPECT_STREQ(text, "Restricted");
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 0, 0), 12);
  SendMessageA(combo, CB_GETLBTEXT, 0, Str(text));
  EXPECT_STREQ(text, "Confidential");
  // A drop-down list has no field to write in.
  EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, Str("Other")), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), Str("Sec")), 2);
  GetWindowTextA(combo, text, sizeof text);
  EXPECT_STREQ(text, "Secret");
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 5, Str(text)), CB_ERR);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(GetWindowTextLengthA(combo), 0);
  EXPECT_TRUE(Commands().empty());

  HWND dropDown = Make("ComboBox", 31, CBS_DROPDOWN, "typed");
  SendMessageA(dropDown, CB_ADDSTRING, 0, Str("Entry"));
  GetWindowTextA(dropDown, text, sizeof text);
  EXPECT_STREQ(text, "typed");
  SendMessageA(dropDown, CB_SETCURSEL, 0, 0);
  GetWindowTextA(dropDown, text, sizeof text);
  EXPECT_STREQ(text, "Entry");
}

}  // namespace
}  // namespace wintest
