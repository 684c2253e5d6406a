// The class registry: names without regard to case, one class per name and
// module, atoms, and classes that still have windows.
#include <gtest/gtest.h>

#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using WindowClassRegistry = WindowTest;

WNDCLASSA ClassNamed(const char* name, HINSTANCE instance, UINT style = 0) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = name;
  return wc;
}

TEST_F(WindowClassRegistry, OneClassPerNameAndModuleWhateverTheCase) {
  const HINSTANCE other = reinterpret_cast<HINSTANCE>(0x500000);
  WNDCLASSA sameName = ClassNamed("SIGTESTWINDOW", kInstance);
  SetLastError(0);
  EXPECT_EQ(RegisterClassA(&sameName), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

  WNDCLASSA otherModule = ClassNamed("sigtestwindow", other);
  ATOM atom = RegisterClassA(&otherModule);
  ASSERT_NE(atom, 0);
  // Each module creates from its own class; a window names its class as it
  // was registered.
  HWND mine = CreateWindowExA(0, "SigTestWINDOW", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              kInstance, nullptr);
  HWND theirs = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                other, nullptr);
  ASSERT_TRUE(mine && theirs);
  char name[32];
  EXPECT_EQ(GetClassNameA(mine, name, sizeof name), 13);
  EXPECT_STREQ(name, "SigTestWindow");
  EXPECT_EQ(GetClassNameA(theirs, name, sizeof name), 13);
  EXPECT_STREQ(name, "sigtestwindow");
  EXPECT_EQ(GetWindowLongPtrA(theirs, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(DefWindowProcA));

  SetLastError(0);
  EXPECT_FALSE(UnregisterClassA("sigtestwindow", other));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(theirs);
  EXPECT_TRUE(UnregisterClassA("SIGTESTWINDOW", other));
  SetLastError(0);
  EXPECT_FALSE(UnregisterClassA("sigtestwindow", other));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
}

TEST_F(WindowClassRegistry, AGlobalClassServesEveryModule) {
  WNDCLASSA global = ClassNamed("SigGlobal", kInstance, CS_GLOBALCLASS);
  ASSERT_NE(RegisterClassA(&global), 0);
  HWND hwnd = CreateWindowExA(0, "SIGGLOBAL", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              reinterpret_cast<HINSTANCE>(0x600000), nullptr);
  EXPECT_TRUE(hwnd);
  DestroyWindow(hwnd);
  // A module's local class is not another module's.
  SetLastError(0);
  EXPECT_EQ(CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            reinterpret_cast<HINSTANCE>(0x600000), nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  EXPECT_TRUE(UnregisterClassA("SigGlobal", kInstance));
}

TEST_F(WindowClassRegistry, MalformedClassesAreRefused) {
  WNDCLASSA noProc = ClassNamed("SigNoProc", kInstance);
  noProc.lpfnWndProc = nullptr;
  WNDCLASSA negative = ClassNamed("SigNegative", kInstance);
  negative.cbWndExtra = -4;
  WNDCLASSA unnamed = ClassNamed("", kInstance);
  for (const WNDCLASSA* wc : {&noProc, &negative, &unnamed}) {
    SCOPED_TRACE(wc->lpszClassName);
    SetLastError(0);
    EXPECT_EQ(RegisterClassA(wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
}

TEST_F(WindowClassRegistry, ClassNameIsTruncatedToTheBuffer) {
  HWND hwnd = Top();
  char name[5] = "xxxx";
  EXPECT_EQ(GetClassNameA(hwnd, name, sizeof name), 4);
  EXPECT_STREQ(name, "SigT");
  EXPECT_EQ(GetClassNameA(hwnd, name, 0), 0);
}

}  // namespace
}  // namespace wintest
