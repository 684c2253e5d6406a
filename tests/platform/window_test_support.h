// Shared by the window manager's tests: a class whose procedure logs every
// message it gets (then hands it to DefWindowProcA), a way to print that log
// with names instead of handles, and a fixture that leaves no window or
// class behind.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "sigplat/user_agent.h"
#include "winapi.h"

namespace wintest {

inline const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);
inline const char kClass[] = "SigTestWindow";
constexpr int kExtraBytes = 2 * sizeof(LONG_PTR);

struct Sent {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

inline std::vector<Sent>& Log() {
  static std::vector<Sent> log;
  return log;
}

inline LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back(Sent{hwnd, msg, wParam, lParam});
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline std::string MessageName(UINT msg) {
  static const std::map<UINT, std::string> names = {
      {WM_CREATE, "WM_CREATE"},           {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},               {WM_SIZE, "WM_SIZE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},       {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"},           {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"},         {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
      {WM_CLOSE, "WM_CLOSE"},             {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_CANCELMODE, "WM_CANCELMODE"},   {WM_STYLECHANGING, "WM_STYLECHANGING"},
      {WM_STYLECHANGED, "WM_STYLECHANGED"}, {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"},     {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
  };
  auto it = names.find(msg);
  return it == names.end() ? "msg " + std::to_string(msg) : it->second;
}

// The log as lines like "child WM_PARENTNOTIFY WM_CREATE" or
// "edit WM_KILLFOCUS button": the window's name, the message, and the
// wParam where it tells something (a flag, an event, the other window).
class Names {
 public:
  Names() = default;
  Names(std::initializer_list<std::pair<const std::string, HWND>> names) {
    for (const auto& [name, hwnd] : names) byHandle_[hwnd] = name;
  }
  std::string Of(HWND hwnd) const {
    if (!hwnd) return "NULL";
    auto it = byHandle_.find(hwnd);
    return it == byHandle_.end() ? "?" : it->second;
  }
  std::vector<std::string> Trace() const {
    std::vector<std::string> lines;
    for (const Sent& s : Log()) {
      std::string line = Of(s.hwnd) + " " + MessageName(s.msg);
      switch (s.msg) {
        case WM_SHOWWINDOW:
        case WM_ENABLE:
          line += s.wParam ? " TRUE" : " FALSE";
          break;
        case WM_PARENTNOTIFY:
          line += " " + MessageName(LOWORD(s.wParam));
          break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
          line += " " + Of(reinterpret_cast<HWND>(s.wParam));
          break;
        default:
          break;
      }
      lines.push_back(line);
    }
    return lines;
  }

 private:
  std::map<HWND, std::string> byHandle_;
};

using Lines = std::vector<std::string>;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = LoggingProc;
    wc.cbWndExtra = kExtraBytes;
    wc.hInstance = kInstance;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClassA(&wc), 0);
    Log().clear();
  }

  void TearDown() override {
    while (HWND top = FindWindowA(nullptr, nullptr)) ASSERT_TRUE(DestroyWindow(top));
    EXPECT_TRUE(UnregisterClassA(kClass, kInstance));
    sigplat::SetUserAgent(nullptr);
    sigplat::ClearTranscript();
    Log().clear();
  }

  static HWND Top(const char* title = "", DWORD style = WS_OVERLAPPEDWINDOW) {
    return CreateWindowExA(0, kClass, title, style, 10, 20, 300, 200, nullptr, nullptr,
                           kInstance, nullptr);
  }
  static HWND Child(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, kClass, "", style, 5, 6, 50, 40, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), kInstance, nullptr);
  }
};

}  // namespace wintest
