// Message boxes: the default button when nobody answers, the agent's answer,
// answers that are not buttons of the box, and what the transcript keeps.
#include <gtest/gtest.h>

#include <deque>

#include "sigplat/user_agent.h"
#include "window_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

using MessageBoxes = WindowTest;

// Answers from a script and keeps every box it was shown.
class ScriptedAgent : public sigplat::UserAgent {
 public:
  explicit ScriptedAgent(std::deque<int> answers) : answers_(std::move(answers)) {}
  int AnswerMessageBox(const sigplat::MessageBoxRecord& box) override {
    seen.push_back(box);
    if (answers_.empty()) return 0;
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::vector<sigplat::MessageBoxRecord> seen;

 private:
  std::deque<int> answers_;
};

TEST_F(MessageBoxes, UnansweredBoxesTakeTheirDefaultButton) {
  struct Case {
    UINT type;
    int expected;
  } cases[] = {
      {MB_OK, IDOK},
      {MB_OKCANCEL, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_OKCANCEL | MB_DEFBUTTON3, IDOK},  // past the last button: the first
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
      {MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_YESNO, IDYES},
      {MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_CANCELTRYCONTINUE | MB_DEFBUTTON4, IDCANCEL},
  };
  ScriptedAgent silent({});
  for (bool withAgent : {false, true}) {
    sigplat::SetUserAgent(withAgent ? &silent : nullptr);
    for (const Case& c : cases) {
      SCOPED_TRACE(sigplat::ButtonsName(c.type) + (withAgent ? " (agent)" : ""));
      sigplat::ClearTranscript();
      EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", c.type), c.expected);
      ASSERT_EQ(sigplat::Transcript().size(), 1u);
      EXPECT_EQ(sigplat::Transcript()[0].messageBox.answer, c.expected);
      EXPECT_FALSE(sigplat::Transcript()[0].messageBox.answered);
    }
  }
}

TEST_F(MessageBoxes, TheAgentAnswersWithOneOfTheButtons) {
  HWND owner = Top("Untitled - Message");
  ScriptedAgent agent({IDNO, IDOK, IDRETRY});
  sigplat::SetUserAgent(&agent);
  EXPECT_EQ(MessageBoxA(owner, "Send anyway?", "Sigilon", MB_YESNO | MB_ICONWARNING), IDNO);
  // IDOK is not a button of a Yes/No box: reported, and the default taken.
  EXPECT_EQ(MessageBoxA(owner, "Really?", "Sigilon", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Retry?", nullptr, MB_RETRYCANCEL | MB_ICONERROR), IDRETRY);

  ASSERT_EQ(agent.seen.size(), 3u);
  EXPECT_EQ(agent.seen[0].text, "Send anyway?");
  EXPECT_FALSE(agent.seen[0].answered);  // the agent sees the box before it is answered

  const auto& t = sigplat::Transcript();
  ASSERT_EQ(t.size(), 3u);
  struct Expected {
    HWND owner;
    const char* caption;
    const char* text;
    UINT type;
    int answer;
    bool answered;
    const char* icon;
  } expected[] = {
      {owner, "Sigilon", "Send anyway?", MB_YESNO | MB_ICONWARNING, IDNO, true, "warning"},
      {owner, "Sigilon", "Really?", MB_YESNO | MB_DEFBUTTON2, IDNO, false, ""},
      {nullptr, "Error", "Retry?", MB_RETRYCANCEL | MB_ICONERROR, IDRETRY, true, "error"},
  };
  for (size_t i = 0; i < t.size(); ++i) {
    SCOPED_TRACE(i);
    const sigplat::MessageBoxRecord& box = t[i].messageBox;
    EXPECT_EQ(t[i].kind, sigplat::TranscriptEntry::Kind::MessageBox);
    EXPECT_EQ(box.owner, expected[i].owner);
    EXPECT_EQ(box.caption, expected[i].caption);
    EXPECT_EQ(box.text, expected[i].text);
    EXPECT_EQ(box.type, expected[i].type);
    EXPECT_EQ(box.answer, expected[i].answer);
    EXPECT_EQ(box.answered, expected[i].answered);
    EXPECT_EQ(sigplat::IconName(box.type), expected[i].icon);
  }
  sigplat::ClearTranscript();
  EXPECT_TRUE(sigplat::Transcript().empty());
}

TEST_F(MessageBoxes, BadOwnersAndStylesShowNoBox) {
  HWND dead = Top("gone");
  DestroyWindow(dead);
  ScriptedAgent agent({IDOK});
  sigplat::SetUserAgent(&agent);
  struct Case {
    const char* name;
    HWND owner;
    UINT type;
    DWORD error;
  } cases[] = {
      {"destroyed owner", dead, MB_OK, ERROR_INVALID_WINDOW_HANDLE},
      {"no such button set", nullptr, 7, ERROR_INVALID_MSGBOX_STYLE},
      {"help button", nullptr, MB_OK | MB_HELP, ERROR_NOT_SUPPORTED},
      {"user icon", nullptr, MB_OK | 0x80, ERROR_NOT_SUPPORTED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(0);
    EXPECT_EQ(MessageBoxA(c.owner, "text", "caption", c.type), 0);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_TRUE(agent.seen.empty());
  EXPECT_TRUE(sigplat::Transcript().empty());
}

TEST(MessageBoxNames, ButtonsAndIconsByName) {
  EXPECT_EQ(sigplat::ButtonName(IDOK), "OK");
  EXPECT_EQ(sigplat::ButtonName(IDTRYAGAIN), "Try Again");
  EXPECT_EQ(sigplat::ButtonName(42), "unknown (42)");
  struct Case {
    UINT type;
    const char* buttons;
    const char* icon;
  } cases[] = {
      {MB_OK, "OK", ""},
      {MB_OKCANCEL | MB_ICONINFORMATION, "OK Cancel", "information"},
      {MB_ABORTRETRYIGNORE | MB_ICONSTOP, "Abort Retry Ignore", "error"},
      {MB_YESNOCANCEL | MB_ICONQUESTION, "Yes No Cancel", "question"},
      {MB_YESNO | MB_ICONEXCLAMATION, "Yes No", "warning"},
      {MB_RETRYCANCEL, "Retry Cancel", ""},
      {MB_CANCELTRYCONTINUE, "Cancel Try Again Continue", ""},
      {9 | 0x80, "unknown (9)", "unknown (128)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(sigplat::ButtonsName(c.type), c.buttons);
    EXPECT_EQ(sigplat::IconName(c.type), c.icon);
  }
}

}  // namespace
}  // namespace wintest
