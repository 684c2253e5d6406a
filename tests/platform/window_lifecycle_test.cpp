// Creation and destruction: the messages a window gets, in Windows' order,
// and what a refused creation leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowLifecycle = WindowTest;

TEST_F(WindowLifecycle, CreationMessagesInWindowsOrder) {
  HWND hidden = Top("hidden");
  ASSERT_TRUE(hidden);
  HWND shown = Top("shown", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = Child(shown, 7, WS_CHILD);
  HWND visibleChild = Child(shown, 8, WS_CHILD | WS_VISIBLE);
  HWND grandchild = Child(child, 9, WS_CHILD);
  HWND quiet = Child(child, 10, WS_CHILD, WS_EX_NOPARENTNOTIFY);
  ASSERT_TRUE(quiet);
  Names names{{"hidden", hidden}, {"shown", shown}, {"child", child},
              {"visibleChild", visibleChild}, {"grandchild", grandchild}, {"quiet", quiet}};
  EXPECT_EQ(names.Trace(), (Lines{
                               "hidden WM_NCCREATE",
                               "hidden WM_CREATE",
                               "shown WM_NCCREATE",
                               "shown WM_CREATE",
                               "shown WM_SHOWWINDOW TRUE",
                               "shown WM_SIZE",
                               "shown WM_MOVE",
                               "child WM_NCCREATE",
                               "child WM_CREATE",
                               "child WM_SIZE",
                               "child WM_MOVE",
                               "shown WM_PARENTNOTIFY WM_CREATE",
                               "visibleChild WM_NCCREATE",
                               "visibleChild WM_CREATE",
                               "visibleChild WM_SIZE",
                               "visibleChild WM_MOVE",
                               "shown WM_PARENTNOTIFY WM_CREATE",
                               "visibleChild WM_SHOWWINDOW TRUE",
                               "grandchild WM_NCCREATE",
                               "grandchild WM_CREATE",
                               "grandchild WM_SIZE",
                               "grandchild WM_MOVE",
                               "child WM_PARENTNOTIFY WM_CREATE",
                               "shown WM_PARENTNOTIFY WM_CREATE",
                               "quiet WM_NCCREATE",
                               "quiet WM_CREATE",
                               "quiet WM_SIZE",
                               "quiet WM_MOVE",
                           }));
  // The notification carries the child's id and handle.
  const Sent& notify = Log()[11];
  EXPECT_EQ(HIWORD(notify.wParam), 7);
  EXPECT_EQ(notify.lParam, reinterpret_cast<LPARAM>(child));
}

TEST_F(WindowLifecycle, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  HWND parent = Top("parent");
  HWND first = Child(parent, 1, WS_CHILD);
  HWND inner = Child(first, 2, WS_CHILD);
  HWND second = Child(parent, 3, WS_CHILD);
  Names names{{"parent", parent}, {"first", first}, {"inner", inner}, {"second", second}};
  Log().clear();
  ASSERT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(names.Trace(), (Lines{
                               "parent WM_DESTROY",
                               "first WM_DESTROY",
                               "inner WM_DESTROY",
                               "second WM_DESTROY",
                               "inner WM_NCDESTROY",
                               "first WM_NCDESTROY",
                               "second WM_NCDESTROY",
                               "parent WM_NCDESTROY",
                           }));
  for (HWND h : {parent, first, inner, second}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowLifecycle, DestroyingAVisibleChildNotifiesAndHidesItFirst) {
  HWND parent = Top("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = Child(parent, 4, WS_CHILD | WS_VISIBLE);
  Names names{{"parent", parent}, {"child", child}};
  Log().clear();
  ASSERT_TRUE(DestroyWindow(child));
  EXPECT_EQ(names.Trace(), (Lines{
                               "parent WM_PARENTNOTIFY WM_DESTROY",
                               "child WM_SHOWWINDOW FALSE",
                               "child WM_DESTROY",
                               "child WM_NCDESTROY",
                           }));
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

TEST_F(WindowLifecycle, OwnedWindowsGoBeforeTheirOwner) {
  HWND owner = Top("owner");
  HWND owned = CreateWindowExA(0, kClass, "owned", WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                               kInstance, nullptr);
  ASSERT_TRUE(owned);
  Names names{{"owner", owner}, {"owned", owned}};
  Log().clear();
  ASSERT_TRUE(DestroyWindow(owner));
  EXPECT_EQ(names.Trace(), (Lines{"owned WM_DESTROY", "owned WM_NCDESTROY", "owner WM_DESTROY",
                                  "owner WM_NCDESTROY"}));
}

TEST_F(WindowLifecycle, CloseThroughDefWindowProcDestroys) {
  HWND top = Top("closing");
  EXPECT_EQ(SendMessageA(top, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(IsWindow(top));
}

// The procedure's answer to WM_NCCREATE and WM_CREATE decides creation.
struct Refusal {
  const char* name;
  LRESULT ncCreate;
  LRESULT create;
  bool created;
  Lines trace;
};

Refusal g_refusal;

LRESULT CALLBACK RefusingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back(Sent{hwnd, msg, wParam, lParam});
  if (msg == WM_NCCREATE) return g_refusal.ncCreate;
  if (msg == WM_CREATE) return g_refusal.create;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(WindowLifecycle, RefusedCreationDestroysTheWindowAsWindowsDoes) {
  const Refusal cases[] = {
      {"NCCREATE FALSE", FALSE, 0, false, {"? WM_NCCREATE", "? WM_NCDESTROY"}},
      {"CREATE -1", TRUE, -1, false, {"? WM_NCCREATE", "? WM_CREATE", "? WM_NCDESTROY"}},
      {"CREATE other", TRUE, -2, true, {"? WM_NCCREATE", "? WM_CREATE"}},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.name);
    g_refusal = c;
    WNDCLASSA wc{};
    wc.lpfnWndProc = RefusingProc;
    wc.hInstance = kInstance;
    wc.lpszClassName = "Refusing";
    ASSERT_NE(RegisterClassA(&wc), 0);
    Log().clear();
    HWND hwnd = CreateWindowExA(0, "Refusing", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                kInstance, nullptr);
    EXPECT_EQ(hwnd != nullptr, c.created);
    EXPECT_EQ(Names{}.Trace(), c.trace);
    if (hwnd) DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassA("Refusing", kInstance));
  }
}

// WM_CREATE sees the CREATESTRUCTA as the caller wrote it.
CREATESTRUCTA g_seen;
std::string g_seenName;

LRESULT CALLBACK CapturingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    g_seen = *reinterpret_cast<CREATESTRUCTA*>(lParam);
    g_seenName = g_seen.lpszName;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(WindowLifecycle, CreateStructCarriesTheArguments) {
  HWND parent = Top("parent");
  WNDCLASSA wc{};
  wc.lpfnWndProc = CapturingProc;
  wc.hInstance = kInstance;
  wc.lpszClassName = "Capturing";
  ASSERT_NE(RegisterClassA(&wc), 0);
  int param = 0;
  HWND child = CreateWindowExA(WS_EX_CLIENTEDGE, "capturing", "Body", WS_CHILD | WS_TABSTOP, 1, 2,
                               30, 40, parent, reinterpret_cast<HMENU>(0x42), kInstance, &param);
  ASSERT_TRUE(child);
  EXPECT_EQ(g_seen.lpCreateParams, &param);
  EXPECT_EQ(g_seen.hInstance, kInstance);
  EXPECT_EQ(g_seen.hMenu, reinterpret_cast<HMENU>(0x42));
  EXPECT_EQ(g_seen.hwndParent, parent);
  EXPECT_EQ(g_seen.x, 1);
  EXPECT_EQ(g_seen.y, 2);
  EXPECT_EQ(g_seen.cx, 30);
  EXPECT_EQ(g_seen.cy, 40);
  EXPECT_EQ(g_seen.style, static_cast<LONG>(WS_CHILD | WS_TABSTOP));
  EXPECT_EQ(g_seen.dwExStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_STREQ(g_seen.lpszClass, "capturing");
  EXPECT_EQ(g_seenName, "Body");
  EXPECT_EQ(GetWindowLongA(child, GWL_ID), 0x42);
  DestroyWindow(parent);
  EXPECT_TRUE(UnregisterClassA("Capturing", kInstance));
}

TEST_F(WindowLifecycle, HandlesAreNeverReused) {
  HWND first = Top("one");
  ASSERT_TRUE(DestroyWindow(first));
  HWND second = Top("two");
  EXPECT_NE(first, second);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(second));
  SetLastError(0);
  EXPECT_FALSE(SetWindowTextA(first, "stale"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifecycle, CreationFailures) {
  HWND dead = Top("dead");
  DestroyWindow(dead);
  struct Case {
    const char* name;
    const char* className;
    DWORD style;
    HWND parent;
    DWORD error;
  } cases[] = {
      {"unknown class", "NoSuchClass", WS_OVERLAPPED, nullptr, ERROR_CANNOT_FIND_WND_CLASS},
      {"child without parent", kClass, WS_CHILD, nullptr, ERROR_TLW_WITH_WSCHILD},
      {"dead parent", kClass, WS_CHILD, dead, ERROR_INVALID_WINDOW_HANDLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, c.className, "", c.style, 0, 0, 1, 1, c.parent, nullptr,
                              kInstance, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST_F(WindowLifecycle, CallsWithAnInvalidHandleFail) {
  HWND bad = reinterpret_cast<HWND>(0x7777);
  char buffer[8] = "x";
  RECT rect{};
  struct Case {
    const char* name;
    std::function<LONG_PTR()> call;
  } cases[] = {
      {"DestroyWindow", [&] { return DestroyWindow(bad); }},
      {"SendMessageA", [&] { return SendMessageA(bad, WM_USER, 0, 0); }},
      {"DefWindowProcA", [&] { return DefWindowProcA(bad, WM_GETTEXTLENGTH, 0, 0); }},
      {"GetWindowTextA", [&] { return GetWindowTextA(bad, buffer, sizeof buffer); }},
      {"GetWindowTextLengthA", [&] { return GetWindowTextLengthA(bad); }},
      {"SetWindowTextA", [&] { return SetWindowTextA(bad, "x"); }},
      {"GetClassNameA", [&] { return GetClassNameA(bad, buffer, sizeof buffer); }},
      {"GetWindowLongPtrA", [&] { return GetWindowLongPtrA(bad, GWL_STYLE); }},
      {"SetWindowLongPtrA", [&] { return SetWindowLongPtrA(bad, GWLP_USERDATA, 1); }},
      {"GetParent", [&] { return reinterpret_cast<LONG_PTR>(GetParent(bad)); }},
      {"GetWindow", [&] { return reinterpret_cast<LONG_PTR>(GetWindow(bad, GW_CHILD)); }},
      {"SetFocus", [&] { return reinterpret_cast<LONG_PTR>(SetFocus(bad)); }},
      {"ShowWindow", [&] { return ShowWindow(bad, SW_SHOW); }},
      {"EnableWindow", [&] { return EnableWindow(bad, TRUE); }},
      {"IsWindowEnabled", [&] { return IsWindowEnabled(bad); }},
      {"GetWindowRect", [&] { return GetWindowRect(bad, &rect); }},
      {"MoveWindow", [&] { return MoveWindow(bad, 0, 0, 1, 1, TRUE); }},
      {"MessageBoxA", [&] { return MessageBoxA(bad, "t", "c", MB_OK); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(0);
    EXPECT_EQ(c.call(), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  }
  EXPECT_STREQ(buffer, "");  // GetWindowTextA empties the buffer even when it fails
  EXPECT_FALSE(IsWindow(bad));
  EXPECT_FALSE(IsWindow(nullptr));
  EXPECT_TRUE(sigplat::Transcript().empty());
}

}  // namespace
}  // namespace wintest
