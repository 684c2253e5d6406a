// GetWindowLong and SetWindowLong: subclassing, extra bytes, styles and the
// indexes a 64-bit machine refuses in the LONG forms.
#include <gtest/gtest.h>

#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowLong = WindowTest;

WNDPROC g_next = nullptr;
int g_subclassSaw = 0;

LRESULT CALLBACK CountingSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) {
    ++g_subclassSaw;
    return 41;
  }
  return CallWindowProcA(g_next, hwnd, msg, wParam, lParam);
}

TEST_F(WindowLong, SubclassingReturnsTheOldProcedureAndChains) {
  HWND hwnd = Top("sub");
  g_subclassSaw = 0;
  g_next = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingSubclass)));
  EXPECT_EQ(g_next, LoggingProc);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(CountingSubclass));
  Log().clear();
  EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 41);
  EXPECT_EQ(SendMessageA(hwnd, WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(g_subclassSaw, 1);
  ASSERT_EQ(Log().size(), 1u);  // only the message the subclass passed on
  EXPECT_EQ(Log()[0].msg, static_cast<UINT>(WM_USER + 1));
  // Taking the subclass out restores the class's procedure.
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_next));
  EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
  EXPECT_EQ(g_subclassSaw, 1);
  SetLastError(0);
  EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowLong, ExtraBytesHoldWhatIsStoredAndNoMore) {
  HWND hwnd = Top("extra");
  EXPECT_EQ(GetWindowLongPtrA(hwnd, 0), 0);  // zeroed at creation
  EXPECT_EQ(SetWindowLongPtrA(hwnd, 0, 0x1122334455667788LL), 0);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, 0), 0x1122334455667788LL);
  EXPECT_EQ(GetWindowLongA(hwnd, 0), 0x55667788);  // the low half, as stored little-endian
  EXPECT_EQ(SetWindowLongA(hwnd, 4, -1), 0x11223344);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, 0), static_cast<LONG_PTR>(0xFFFFFFFF55667788ULL));
  // The last LONG fits; a pointer-sized value at the same offset does not.
  EXPECT_EQ(SetWindowLongA(hwnd, kExtraBytes - 4, 7), 0);
  EXPECT_EQ(GetWindowLongA(hwnd, kExtraBytes - 4), 7);
  for (int offset : {kExtraBytes - 4, kExtraBytes, 1000}) {
    SCOPED_TRACE(offset);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, offset), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    SetLastError(0);
    EXPECT_EQ(SetWindowLongPtrA(hwnd, offset, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  }
}

TEST_F(WindowLong, IndexesTheLongFormsRefuse) {
  HWND hwnd = Top("index");
  struct Case {
    const char* name;
    int index;
  } cases[] = {{"unknown", -2}, {"GWLP_WNDPROC", GWLP_WNDPROC},
               {"GWLP_HINSTANCE", GWLP_HINSTANCE}, {"GWLP_HWNDPARENT", GWLP_HWNDPARENT}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(hwnd, c.index), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    SetLastError(0);
    EXPECT_EQ(SetWindowLongA(hwnd, c.index, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  }
  EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE), reinterpret_cast<LONG_PTR>(kInstance));
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, -2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

TEST_F(WindowLong, IdAndUserDataReturnTheirPreviousValue) {
  HWND parent = Top("parent");
  HWND child = Child(parent, 100);
  EXPECT_EQ(SetWindowLongA(child, GWL_ID, 200), 100);
  EXPECT_EQ(GetWindowLongPtrA(child, GWLP_ID), 200);
  EXPECT_EQ(SetWindowLongPtrA(child, GWLP_USERDATA, 0x12345678abcLL), 0);
  EXPECT_EQ(SetWindowLongPtrA(child, GWLP_USERDATA, 5), 0x12345678abcLL);
  EXPECT_EQ(GetWindowLongA(child, GWLP_USERDATA), 5);
}

LRESULT CALLBACK StyleGuard(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_STYLE)) {
    reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew |= WS_TABSTOP;  // always keep a tab stop
  }
  return LoggingProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowLong, StyleChangesAreAnnouncedAndMayBeAmended) {
  HWND parent = Top("parent");
  HWND child = Child(parent, 1, WS_CHILD);
  // Overlapped windows always have a caption, as on Windows.
  EXPECT_EQ(GetWindowLongA(parent, GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
  SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StyleGuard));
  Names names{{"child", child}};
  Log().clear();
  EXPECT_EQ(SetWindowLongA(child, GWL_STYLE, WS_CHILD | WS_DISABLED),
            static_cast<LONG>(WS_CHILD));
  EXPECT_EQ(GetWindowLongA(child, GWL_STYLE),
            static_cast<LONG>(WS_CHILD | WS_DISABLED | WS_TABSTOP));
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_EQ(names.Trace(), (Lines{"child WM_STYLECHANGING", "child WM_STYLECHANGED"}));
  EXPECT_EQ(SetWindowLongA(child, GWL_EXSTYLE, WS_EX_CLIENTEDGE), 0);
  EXPECT_EQ(GetWindowLongA(child, GWL_EXSTYLE), static_cast<LONG>(WS_EX_CLIENTEDGE));
}

TEST_F(WindowLong, OwnerOfATopLevelWindowCanChange) {
  HWND a = Top("a");
  HWND b = Top("b");
  HWND child = Child(a, 1);
  EXPECT_EQ(SetWindowLongPtrA(b, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(child)), 0);
  EXPECT_EQ(GetWindow(b, GW_OWNER), a);  // the owner is always a top-level window
  SetLastError(0);
  EXPECT_EQ(SetWindowLongPtrA(child, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(b)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(GetParent(child), a);
}

}  // namespace
}  // namespace wintest
