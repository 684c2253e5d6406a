#include <string>
#include <vector>

#include "sigplat/world.h"
#include "tests/support/fresh_world.h"

namespace {

class DebugReport : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    sigplat::SetDebugOutputSink([this](const std::string& s) { debugger_ += s; });
  }
  void TearDown() override {
    _CrtSetReportHook(nullptr);
    _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_DEBUG);
    _CrtSetReportFile(_CRT_WARN, _CRTDBG_INVALID_HFILE);
    sigplat::SetDebugOutputSink(nullptr);
    FreshWorld::TearDown();
  }
  std::string debugger_;
};

std::vector<std::string> g_hooked;

int RecordingHook(int type, char* message, int* result) {
  g_hooked.push_back(std::to_string(type) + ":" + message);
  *result = 7;
  return message[0] == 'x';  // claims the reports that start with x
}

TEST_F(DebugReport, FormatsOriginAndTextForEveryDestinationItsModeSelects) {
  const HANDLE file = CreateFileA("C:\\report.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(_CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_FILE | _CRTDBG_MODE_DEBUG),
            _CRTDBG_MODE_DEBUG);
  EXPECT_EQ(_CrtSetReportFile(_CRT_WARN, file), _CRTDBG_INVALID_HFILE);
  EXPECT_EQ(_CrtDbgReport(_CRT_WARN, "rules/list.cpp", 42, nullptr, "n=%d %s\r\n", 5, "x"), 0);
  EXPECT_EQ(_CrtDbgReport(_CRT_WARN, nullptr, 0, nullptr, "bare\r\n"), 0);
  CloseHandle(file);
  const std::string expected = "rules/list.cpp(42) : n=5 x\r\nbare\r\n";
  EXPECT_EQ(ReadWorldFile("C:\\report.txt"), expected);
  EXPECT_EQ(debugger_, expected);
}

TEST_F(DebugReport, HookSeesTheWholeLineAndMayClaimIt) {
  g_hooked.clear();
  _CrtSetReportHook(RecordingHook);
  EXPECT_EQ(_CrtDbgReport(_CRT_WARN, nullptr, 0, nullptr, "x claimed\r\n"), 7);
  EXPECT_EQ(_CrtDbgReport(_CRT_WARN, "u.cpp", 1, nullptr, "passed on\r\n"), 0);
  EXPECT_EQ(g_hooked, (std::vector<std::string>{"0:x claimed\r\n", "0:u.cpp(1) : passed on\r\n"}));
  EXPECT_EQ(debugger_, "u.cpp(1) : passed on\r\n");
}

TEST_F(DebugReport, WindowDestinationReturnsOneWhenTheUserAsksForTheDebugger) {
  _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_WNDW);
  agent_.Queue(IDRETRY);
  agent_.Queue(IDIGNORE);
  EXPECT_EQ(_CrtDbgReport(_CRT_WARN, "u.cpp", 9, nullptr, "first\r\n"), 1);
  EXPECT_EQ(_CrtDbgReport(_CRT_WARN, "u.cpp", 9, nullptr, "second\r\n"), 0);
  ASSERT_EQ(sigplat::Transcript().size(), 2u);
  EXPECT_NE(sigplat::Transcript()[0].messageBox.text.find("u.cpp(9) : first"), std::string::npos);
}

TEST_F(DebugReport, RejectsUnknownTypesAndModes) {
  EXPECT_EQ(_CrtSetReportMode(9, _CRTDBG_MODE_FILE), -1);
  EXPECT_EQ(_CrtSetReportMode(_CRT_WARN, 0x40), -1);
  EXPECT_EQ(_CrtSetReportMode(_CRT_WARN, _CRTDBG_REPORT_MODE), _CRTDBG_MODE_DEBUG);
  EXPECT_EQ(_CrtSetReportMode(_CRT_ERROR, _CRTDBG_REPORT_MODE), _CRTDBG_MODE_WNDW);
  EXPECT_EQ(_CrtDbgReport(9, nullptr, 0, nullptr, "x"), -1);
}

}  // namespace
