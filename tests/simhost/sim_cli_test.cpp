// The exit status of sigilon-sim and what it prints for each outcome, with
// small scripts written on the spot. Registry values stand in for the host's
// state here, so that the runner's own behaviour is under test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_cli.h"

namespace simhost {
namespace {

namespace fs = std::filesystem;

class SimCli : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "sigilon-cli-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string script(const std::string& name, const std::string& text) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << text;
    return path;
  }

  int run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return runCommandLine(args, {SIGIL32_PATH, UNINST_PATH}, out_, err_);
  }

  std::string dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

const char kSetValue[] = "reg HKCU Software\\Probe Level dword 3\n";

TEST_F(SimCli, EveryExpectationHeldIsZero) {
  const std::string file = script("good.scn", std::string(kSetValue) +
                                                  "expect reg HKCU Software\\Probe Level dword 3\n"
                                                  "expect quiet\n");
  EXPECT_EQ(run({"run", file}), 0) << out_.str() << err_.str();
  EXPECT_NE(out_.str().find(file + ":2: expect reg"), std::string::npos) << out_.str();
  EXPECT_EQ(out_.str().find("FAILED"), std::string::npos) << out_.str();
}

TEST_F(SimCli, FailedExpectationIsOneAndTheScriptGoesOn) {
  const std::string file =
      script("failing.scn", std::string(kSetValue) +
                                "expect reg HKCU Software\\Probe Level dword 4\n"
                                "expect reg HKCU Software\\Probe Other absent\n"
                                "expect reg HKCU Software\\Probe Level sz \"3\"\n");
  EXPECT_EQ(run({"run", file}), 1);
  const std::string out = out_.str();
  EXPECT_NE(out.find("FAILED " + file + ":2: expect reg HKCU Software\\Probe Level dword 4\n"
                     "    expected: HKCU\\Software\\Probe \"Level\" dword 0x00000004 (4)\n"
                     "    found:    HKCU\\Software\\Probe \"Level\" dword 0x00000003 (3)\n"),
            std::string::npos)
      << out;
  // The third line held; the fourth ran after both and failed too.
  EXPECT_EQ(out.find("FAILED " + file + ":3:"), std::string::npos) << out;
  EXPECT_NE(out.find("FAILED " + file + ":4:"), std::string::npos) << out;
  EXPECT_NE(out.find("2 expectations failed"), std::string::npos) << out;
}

TEST_F(SimCli, WrongScriptsAreTwoAndNothingRuns) {
  const std::string good = script("good.scn", std::string(kSetValue));
  struct Case {
    const char* name;
    const char* text;
    const char* error;  // after "FILE:"
  };
  const Case cases[] = {
      {"unknown.scn", "start\nlaunch\n", "2: unknown command 'launch'"},
      {"later.scn", "# a comment\n\nnew-message\n", "3: new-message is not available yet"},
      {"show.scn", "show body\n", "1: show body is not available yet"},
      {"expect.scn", "expect body-contains x\n", "1: expect body-contains is not available yet"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bad = script(c.name, c.text);
    // The good script comes first and still does not run.
    EXPECT_EQ(run({"run", good, bad}), 2);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), bad + ":" + c.error + "\n");
  }
}

TEST_F(SimCli, WrongCommandLinesAndMissingFilesAreTwo) {
  EXPECT_EQ(run({}), 2);
  EXPECT_EQ(run({"run"}), 2);
  EXPECT_EQ(run({"run", "--colour", "x.scn"}), 2);
  EXPECT_EQ(run({"run", "--prefix"}), 2);
  EXPECT_EQ(run({"play", "x.scn"}), 2);
  EXPECT_EQ(run({"run", dir_ + "/missing.scn"}), 2);
  EXPECT_NE(err_.str().find(dir_ + "/missing.scn: cannot read"), std::string::npos) << err_.str();
}

TEST_F(SimCli, AStageCommandTheWorldRefusesStopsTheScriptWithTwo) {
  const std::string file = script("refused.scn",
                                  "delete-file C:\\Sigilon\\nothing.txt\n"
                                  "expect reg HKCU Software\\Probe Level dword 9\n");
  EXPECT_EQ(run({"run", file}), 2);
  EXPECT_NE(out_.str().find("ERROR " + file + ":1: there is no file C:\\Sigilon\\nothing.txt"),
            std::string::npos)
      << out_.str();
  // The expectation after it never ran.
  EXPECT_EQ(out_.str().find("FAILED"), std::string::npos) << out_.str();
}

TEST_F(SimCli, TheWorstScriptDecidesTheStatus) {
  const std::string good = script("good.scn", std::string(kSetValue));
  const std::string failing =
      script("failing.scn", "expect reg HKCU Software\\Probe Level dword 3\n");
  // Each script has a fresh world: the value of the first is gone in the second.
  EXPECT_EQ(run({"run", good, failing}), 1) << out_.str();
  EXPECT_EQ(run({"run", failing, good}), 1) << out_.str();
}

TEST_F(SimCli, HelpListsOptionsAndCommands) {
  EXPECT_EQ(run({"--help"}), 0);
  EXPECT_NE(out_.str().find("--prefix DIR"), std::string::npos);
  EXPECT_NE(out_.str().find("answer dialog ID STEP; STEP; ..."), std::string::npos);
}

TEST_F(SimCli, AGivenPrefixIsUsedAndKept) {
  const std::string prefix = dir_ + "/world";
  const std::string file = script("good.scn", "file C:\\Sigilon\\note.txt hello\n");
  EXPECT_EQ(run({"run", "--prefix", prefix, file}), 0) << out_.str();
  std::ifstream in(prefix + "/drive_c/Sigilon/note.txt");
  std::string text;
  std::getline(in, text);
  EXPECT_EQ(text, "hello");
  EXPECT_TRUE(fs::exists(prefix + "/drive_c/Windows/Temp"));
}

}  // namespace
}  // namespace simhost
