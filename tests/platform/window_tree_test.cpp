// Parents, owners, child order and FindWindowA.
#include <gtest/gtest.h>

#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowTree = WindowTest;

TEST_F(WindowTree, NewChildrenGoLast) {
  HWND parent = Top("parent");
  HWND a = Child(parent, 1);
  HWND b = Child(parent, 2);
  HWND c = Child(parent, 3);
  struct Case {
    HWND from;
    UINT cmd;
    HWND expected;
  } cases[] = {
      {parent, GW_CHILD, a}, {a, GW_HWNDNEXT, b},  {b, GW_HWNDNEXT, c},  {c, GW_HWNDNEXT, nullptr},
      {c, GW_HWNDPREV, b},   {a, GW_HWNDPREV, nullptr}, {b, GW_HWNDFIRST, a}, {b, GW_HWNDLAST, c},
      {a, GW_OWNER, nullptr}, {a, GW_CHILD, nullptr},
  };
  Names names{{"parent", parent}, {"a", a}, {"b", b}, {"c", c}};
  for (const Case& k : cases) {
    SCOPED_TRACE(names.Of(k.from) + " " + std::to_string(k.cmd));
    EXPECT_EQ(names.Of(GetWindow(k.from, k.cmd)), names.Of(k.expected));
  }
  DestroyWindow(b);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), a);
}

TEST_F(WindowTree, ParentsOwnersAndIds) {
  HWND top = Top("top");
  HWND child = Child(top, 21);
  HWND grandchild = Child(child, 22);
  // A pop-up created with a child as its parent is owned by the child's root.
  HWND popup = CreateWindowExA(0, kClass, "popup", WS_POPUP, 0, 0, 1, 1, grandchild, nullptr,
                               kInstance, nullptr);
  ASSERT_TRUE(popup);
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetParent(grandchild), child);
  EXPECT_EQ(GetParent(top), nullptr);
  EXPECT_EQ(GetParent(popup), top);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
  EXPECT_EQ(GetWindowLongPtrA(popup, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(top));
  EXPECT_EQ(GetWindowLongPtrA(grandchild, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(child));
  EXPECT_TRUE(IsChild(top, grandchild));
  EXPECT_TRUE(IsChild(child, grandchild));
  EXPECT_FALSE(IsChild(grandchild, grandchild));
  EXPECT_FALSE(IsChild(top, popup));
  EXPECT_EQ(GetWindowLongA(grandchild, GWL_ID), 22);
}

TEST_F(WindowTree, FindWindowLooksAtTopLevelWindowsOnly) {
  WNDCLASSA other{};
  other.lpfnWndProc = DefWindowProcA;
  other.hInstance = reinterpret_cast<HINSTANCE>(0x700000);
  other.lpszClassName = "SigOther";
  ASSERT_NE(RegisterClassA(&other), 0);
  HWND first = Top("Inbox - Mail");
  HWND child = Child(first, 5);
  SetWindowTextA(child, "Body");
  HWND second = Top("Message");
  HWND foreign = CreateWindowExA(0, "SigOther", "Message", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 other.hInstance, nullptr);
  struct Case {
    const char* className;
    const char* title;
    HWND expected;
  } cases[] = {
      {"sigtestwindow", "inbox - mail", first},
      {kClass, "Inbox", nullptr},     // the whole title, not a prefix
      {kClass, "Body", nullptr},      // children are not searched
      {nullptr, "Body", nullptr},
      {"SigOther", nullptr, foreign},
      {"SIGOTHER", "message", foreign},
      {kClass, "Message", second},
      {"NoSuchClass", nullptr, nullptr},
  };
  Names names{{"first", first}, {"second", second}, {"foreign", foreign}, {"child", child}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.className ? c.className : "NULL") + "/" +
                 (c.title ? c.title : "NULL"));
    EXPECT_EQ(names.Of(FindWindowA(c.className, c.title)), names.Of(c.expected));
  }
  // The newest top-level window is on top, so it is found first.
  EXPECT_EQ(FindWindowA(nullptr, "message"), foreign);
  DestroyWindow(foreign);
  EXPECT_EQ(FindWindowA(nullptr, "message"), second);
  EXPECT_TRUE(UnregisterClassA("SigOther", other.hInstance));
}

}  // namespace
}  // namespace wintest
