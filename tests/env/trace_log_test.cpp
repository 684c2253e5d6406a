#include "env/trace_log.h"

#include <regex>

#include "env/trace.h"
#include "rules/settings_store.h"
#include "sigplat/world.h"
#include "tests/support/fresh_world.h"

namespace {

class TraceLog : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    sigplat::SetDebugOutputSink([this](const std::string& line) { debugger_ += line; });
  }
  void TearDown() override {
    CloseDebugLog();
    _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_DEBUG);
    sigplat::SetDebugOutputSink(nullptr);
    Debug = 0;
    Trace = 0;
    FreshWorld::TearDown();
  }
  std::string Log() {
    return ReadWorldFile("C:\\Windows\\Temp\\sigilon.log").value_or("<no log file>");
  }
  std::string debugger_;
};

const char kLinePrefix[] = R"(\d\d:\d\d:\d\d  \[[0-9A-F]+\] env/trace_log\.cpp\(\d+\) : )";

TEST_F(TraceLog, FileDestinationWritesPrefixedSetUpLinesAndGatedLines) {
  Debug = 1;
  Trace = TRACE_CLASSIFICATION;
  SetDebugOptions();
  SIGTRACE(TRACE_CLASSIFICATION, "FindBodyClass  szBodyClass=%s\r\n", "SECRET");
  SIGTRACE(TRACE_FUNCTION, "not written\r\n");

  const std::string log = Log();
  const std::string p = kLinePrefix;
  const std::regex expected(
      p + R"(SetDebugOptions to _CRTDBG_MODE_FILE on \w{3} \w{3} [ \d]\d \d\d:\d\d:\d\d \r\n)" +
      p + R"(SetDebugOptions Trace = 00000010 \r\n)" +
      R"(\d\d:\d\d:\d\d  \[[0-9A-F]+\] tests/env/trace_log_test\.cpp\(\d+\) : )"
      R"(FindBodyClass  szBodyClass=SECRET\r\n)");
  EXPECT_TRUE(std::regex_match(log, expected)) << log;
  // Before the file existed, the TEMP lookup went to the debugger output.
  EXPECT_NE(debugger_.find("getenv(TEMP)=C:\\Windows\\Temp\r\n"), std::string::npos);
}

TEST_F(TraceLog, EachLoadStartsANewFile) {
  WriteWorldFile("C:\\Windows\\Temp\\sigilon.log", "old contents of an earlier run\r\n");
  Debug = 1;
  SetDebugOptions();
  EXPECT_EQ(Log().find("old contents"), std::string::npos);
  EXPECT_NE(Log().find("SetDebugOptions Trace = 00000000 \r\n"), std::string::npos);
}

TEST_F(TraceLog, FallsBackToTmpThenToTheDebugger) {
  sigplat::SetEnvironment({{"TMP", "C:\\Windows\\Temp"}});
  Debug = 1;
  SetDebugOptions();
  EXPECT_NE(debugger_.find("getenv(TEMP)=(null)\r\n"), std::string::npos);
  EXPECT_NE(debugger_.find("getenv(TMP)=C:\\Windows\\Temp\r\n"), std::string::npos);
  EXPECT_NE(Log().find("_CRTDBG_MODE_FILE"), std::string::npos);
  CloseDebugLog();

  debugger_.clear();
  sigplat::SetEnvironment({});
  SetDebugOptions();
  EXPECT_NE(debugger_.find("could not locate /%TEMP/%\r\n"), std::string::npos) << debugger_;
  EXPECT_NE(debugger_.find("SetDebugOptions Trace = 00000000 \r\n"), std::string::npos);
  EXPECT_EQ(hLogFileHandle, nullptr);
}

TEST_F(TraceLog, UncreatableLogIsReportedAndLinesGoNowhere) {
  sigplat::SetEnvironment({{"TEMP", "C:\\No\\Such\\Folder"}});
  Debug = 1;
  Trace = 0xFFFFFFFF;
  SetDebugOptions();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"E-Mail Classification|_CRTDBG_HFILE_ERROR: Could "
                                              "not create Log File\r\n"});
  debugger_.clear();
  SIGTRACE(TRACE_FUNCTION, "dropped\r\n");
  EXPECT_EQ(debugger_, "");
}

TEST_F(TraceLog, OverlongLogPathCountsAsUncreatable) {
  const std::string folder = "C:\\" + std::string(190, 'T');
  sigplat::SetEnvironment({{"TEMP", folder}});
  Debug = 1;
  SetDebugOptions();
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(hLogFileHandle, nullptr);
}

struct DestinationCase {
  LONG debug;
  const char* setUpLine;  // nullptr: no set-up lines at all
};

class TraceDestination : public TraceLog, public ::testing::WithParamInterface<DestinationCase> {};

TEST_P(TraceDestination, DebuggerDestinationsKeepLinesOffTheFile) {
  Debug = GetParam().debug;
  Trace = TRACE_CLASSIFICATION;
  SetDebugOptions();
  SIGTRACE(TRACE_CLASSIFICATION, "FindFirstLineClass [%s]\r\n", "SECRET");
  SIGTRACE(TRACE_HEADER, "gated off\r\n");
  EXPECT_EQ(Log(), "<no log file>");
  EXPECT_NE(debugger_.find("FindFirstLineClass [SECRET]\r\n"), std::string::npos);
  EXPECT_EQ(debugger_.find("gated off"), std::string::npos);
  if (GetParam().setUpLine) {
    EXPECT_NE(debugger_.find(GetParam().setUpLine), std::string::npos) << debugger_;
  } else {
    EXPECT_EQ(debugger_.find("SetDebugOptions"), std::string::npos) << debugger_;
  }
}

INSTANTIATE_TEST_SUITE_P(Debug, TraceDestination,
                         ::testing::Values(DestinationCase{0, nullptr}, DestinationCase{5, nullptr},
                                           DestinationCase{-1, nullptr},
                                           DestinationCase{2, "SetDebugOptions to _CRTDBG_MODE_DEBUG on "}));

TEST_F(TraceLog, WindowDestinationAsksThePersonForEveryLine) {
  Debug = 3;
  Trace = TRACE_FUNCTION;
  agent_.Queue(IDIGNORE);
  agent_.Queue(IDIGNORE);
  agent_.Queue(IDIGNORE);
  SetDebugOptions();
  SIGTRACE(TRACE_FUNCTION, "CheckOutlookVersion()\r\n");
  const auto& transcript = sigplat::Transcript();
  ASSERT_EQ(transcript.size(), 3u);
  EXPECT_NE(transcript[0].messageBox.text.find("SetDebugOptions to _CRTDBG_MODE_WNDW on "),
            std::string::npos);
  EXPECT_NE(transcript[2].messageBox.text.find("CheckOutlookVersion()"), std::string::npos);
  EXPECT_EQ(transcript[2].messageBox.type & MB_TYPEMASK, static_cast<UINT>(MB_ABORTRETRYIGNORE));
  EXPECT_TRUE(transcript[2].messageBox.answered);
  EXPECT_EQ(debugger_, "");
}

TEST_F(TraceLog, ClosingTakesTheHookOutOfTheReportFacility) {
  Debug = 1;
  SetDebugOptions();
  CloseDebugLog();
  _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_DEBUG);
  debugger_.clear();
  _CrtDbgReport(_CRT_WARN, nullptr, 0, nullptr, "after close\r\n");
  EXPECT_EQ(debugger_, "after close\r\n");
  EXPECT_EQ(_CrtSetReportHook(nullptr), nullptr);
}

}  // namespace
