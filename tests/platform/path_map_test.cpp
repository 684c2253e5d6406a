#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "temp_prefix.h"
#include "winapi.h"

extern char** environ;

namespace {

class PathMapTest : public TempPrefixTest {
 protected:
  void SetUp() override {
    TempPrefixTest::SetUp();
    WriteBytes("Program Files/Sigilon/Config.INI", "x");
    WriteBytes("Dup/Readme.txt", "mixed");
    WriteBytes("Dup/README.TXT", "upper");
  }
};

struct MapCase {
  const char* windows;
  const char* posix;  // below the prefix
};

TEST_F(PathMapTest, MapsDrivePathsOntoExistingNamesWithoutRegardToCase) {
  const MapCase cases[] = {
      {"C:\\Program Files\\Sigilon\\config.ini", "drive_c/Program Files/Sigilon/Config.INI"},
      {"c:/PROGRAM FILES/sigilon/CONFIG.INI", "drive_c/Program Files/Sigilon/Config.INI"},
      {"C:\\\\Program Files//Sigilon\\.\\config.ini", "drive_c/Program Files/Sigilon/Config.INI"},
      {"C:\\..\\..\\Program Files\\x\\..\\Sigilon\\config.ini. .",
       "drive_c/Program Files/Sigilon/Config.INI"},
      {"C:\\Program Files.\\Sigilon \\config.ini", "drive_c/Program Files/Sigilon/Config.INI"},
      {"C:\\program files\\Sigilon\\New\\file.TXT", "drive_c/Program Files/Sigilon/New/file.TXT"},
      {"C:\\Dup\\Readme.txt", "drive_c/Dup/Readme.txt"},
      {"C:\\Dup\\README.TXT", "drive_c/Dup/README.TXT"},
      {"C:\\Dup\\readme.Txt", "drive_c/Dup/README.TXT"},
      {"d:\\Data\\x.txt", "drive_d/Data/x.txt"},
      {"C:\\", "drive_c"},
  };
  for (const MapCase& c : cases) {
    std::string posix;
    DWORD error = 0;
    ASSERT_TRUE(sigplat::MapWindowsPath(c.windows, &posix, &error)) << c.windows;
    EXPECT_EQ(posix, (root_ / c.posix).string()) << c.windows;
  }
}

struct RefusedCase {
  const char* windows;
  DWORD error;
  bool reported;  // a form Windows accepts but the platform does not
};

TEST_F(PathMapTest, RefusesPathsItCannotMap) {
  const std::string tooLong = "C:\\" + std::string(MAX_PATH, 'a');
  const RefusedCase cases[] = {
      {"", ERROR_PATH_NOT_FOUND, false},
      {"relative\\file.txt", ERROR_BAD_PATHNAME, true},
      {"\\rooted\\file.txt", ERROR_BAD_PATHNAME, true},
      {"C:file.txt", ERROR_BAD_PATHNAME, true},
      {"\\\\server\\share\\file.txt", ERROR_BAD_NETPATH, true},
      {"//server/share/file.txt", ERROR_BAD_NETPATH, true},
      {"\\\\.\\COM1", ERROR_BAD_PATHNAME, true},
      {"\\\\?\\C:\\file.txt", ERROR_BAD_PATHNAME, true},
      {"C:\\dir\\NUL", ERROR_INVALID_NAME, true},
      {"C:\\dir\\con.txt", ERROR_INVALID_NAME, true},
      {"C:\\lpt1 \\x", ERROR_INVALID_NAME, true},
      {"C:\\a<b.txt", ERROR_INVALID_NAME, false},
      {"C:\\what?.txt", ERROR_INVALID_NAME, false},
      {"C:\\file.txt:stream", ERROR_INVALID_NAME, false},
      {tooLong.c_str(), ERROR_FILENAME_EXCED_RANGE, false},
  };
  for (const RefusedCase& c : cases) {
    std::string posix = "untouched";
    DWORD error = 0;
    testing::internal::CaptureStderr();
    bool mapped = sigplat::MapWindowsPath(c.windows, &posix, &error);
    std::string report = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(mapped) << c.windows;
    EXPECT_EQ(error, c.error) << c.windows;
    EXPECT_EQ(posix, "untouched") << c.windows;
    if (c.reported) {
      EXPECT_NE(report.find(c.windows), std::string::npos) << report;
      EXPECT_EQ(report.find('\n'), report.size() - 1) << "one line: " << report;
    } else {
      EXPECT_EQ(report, "") << c.windows;
    }
  }
}

TEST_F(PathMapTest, PrefixIsCreatedWhenSet) {
  std::filesystem::path fresh = root_ / "nested" / "world";
  sigplat::SetPrefix(fresh.string());
  EXPECT_EQ(sigplat::GetPrefix(), fresh.string());
  EXPECT_TRUE(std::filesystem::is_directory(fresh / "drive_c"));
}

TEST(Environment, ReplacesTheWholeProcessEnvironment) {
  std::vector<std::string> saved;
  for (char** e = environ; *e; ++e) saved.emplace_back(*e);
  std::string prefix = sigplat::GetPrefix();
  setenv("SIGPLAT_LEAK_CHECK", "real machine", 1);

  sigplat::SetEnvironment({{"TEMP", "C:\\Temp"}, {"TMP", "C:\\Tmp"}});
  EXPECT_STREQ(getenv("TEMP"), "C:\\Temp");
  EXPECT_STREQ(getenv("TMP"), "C:\\Tmp");
  EXPECT_EQ(getenv("SIGPLAT_LEAK_CHECK"), nullptr);
  EXPECT_EQ(getenv("HOME"), nullptr);
  EXPECT_EQ(sigplat::GetPrefix(), prefix);

  clearenv();
  for (const std::string& entry : saved) {
    size_t eq = entry.find('=');
    setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
  }
}

}  // namespace
