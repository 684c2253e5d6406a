// Shared by the dialog and control tests: hand-built templates, a user agent
// that answers from a script, and a parent window whose WM_COMMAND
// notifications can be read back.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "sigplat/dialog_template.h"
#include "sigplat/user_agent.h"
#include "winapi.h"
#include "window_test_support.h"

namespace wintest {

using Step = sigplat::DialogStep;
using StepKind = sigplat::DialogStep::Kind;

inline Step MakeStep(StepKind kind, int control = 0, std::string text = "") {
  Step s;
  s.kind = kind;
  s.control = control;
  s.text = std::move(text);
  return s;
}

// Answers each dialog with the next script in line and keeps what it was shown.
class DialogAgent : public sigplat::UserAgent {
 public:
  int AnswerMessageBox(const sigplat::MessageBoxRecord&) override { return 0; }
  std::vector<Step> DialogSteps(const sigplat::DialogRecord& shown) override {
    seen.push_back(shown);
    if (scripts.empty()) return {};
    std::vector<Step> steps = scripts.front();
    scripts.pop_front();
    return steps;
  }
  std::deque<std::vector<Step>> scripts;
  std::vector<sigplat::DialogRecord> seen;
};

inline sigplat::DialogControl Control(const char* windowClass, int id, DWORD style,
                                      const char* text = "") {
  sigplat::DialogControl c;
  c.windowClass = windowClass;
  c.id = id;
  c.style = WS_CHILD | WS_VISIBLE | style;
  c.text = text;
  c.x = 7;
  c.y = 7;
  c.cx = 50;
  c.cy = 14;
  return c;
}

inline sigplat::DialogTemplate Template(int id, std::vector<sigplat::DialogControl> controls) {
  sigplat::DialogTemplate t;
  t.id = id;
  t.caption = "Dialog " + std::to_string(id);
  t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  t.x = 10;
  t.y = 20;
  t.cx = 200;
  t.cy = 100;
  t.fontFace = "MS Sans Serif";
  t.fontPointSize = 8;
  t.controls = std::move(controls);
  return t;
}

// The WM_COMMAND notifications in the log as "id code" pairs.
inline std::vector<std::pair<int, int>> Commands() {
  std::vector<std::pair<int, int>> commands;
  for (const Sent& s : Log()) {
    if (s.msg == WM_COMMAND) commands.emplace_back(LOWORD(s.wParam), HIWORD(s.wParam));
  }
  return commands;
}

using CommandList = std::vector<std::pair<int, int>>;

class ControlTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    parent = Top("parent");
    Log().clear();
  }
  HWND Make(const char* windowClass, int id, DWORD style, const char* text = "") {
    return CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 20,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), kInstance,
                           nullptr);
  }
  HWND parent = nullptr;
};

}  // namespace wintest
