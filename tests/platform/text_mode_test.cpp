#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "temp_prefix.h"
#include "winapi.h"

namespace {

using TextModeTest = TempPrefixTest;

std::string ReadAll(FILE* f) {
  std::string text;
  char chunk[256];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, got);
  return text;
}

struct ReadCase {
  std::string raw;
  std::string text;  // read with "r"
};

TEST_F(TextModeTest, TextReadsTranslateLineEndsAndStopAtCtrlZ) {
  const std::string longLine(4095, 'x');  // puts CR LF across the read-ahead boundary
  const ReadCase cases[] = {
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\rb", "a\rb"},
      {"a\r", "a\r"},
      {"a\r\r\nb", "a\r\nb"},
      {"a\n\rb", "a\n\rb"},
      {std::string("ab") + '\x1A' + "cd\r\n", "ab"},
      {longLine + "\r\ny", longLine + "\ny"},
  };
  for (const ReadCase& c : cases) {
    WriteBytes("t.txt", c.raw);
    for (const char* mode : {"r", "rt"}) {
      FILE* f = WinFOpen("C:\\T.TXT", mode);
      ASSERT_NE(f, nullptr);
      EXPECT_EQ(ReadAll(f), c.text) << mode;
      std::fclose(f);
    }
    FILE* b = WinFOpen("C:\\t.txt", "rb");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(ReadAll(b), c.raw) << "binary is untouched";
    std::fclose(b);
  }
}

TEST_F(TextModeTest, LinesAndPositionsAreRawOffsets) {
  WriteBytes("lines.txt", "one\r\ntwo\r\nthree");
  FILE* f = WinFOpen("C:\\lines.txt", "r");
  ASSERT_NE(f, nullptr);
  char line[16];
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "one\n");
  long afterOne = std::ftell(f);
  EXPECT_EQ(afterOne, 5);
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "two\n");
  EXPECT_EQ(std::ftell(f), 10);
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "three");
  EXPECT_EQ(std::fgets(line, sizeof line, f), nullptr);

  ASSERT_EQ(std::fseek(f, afterOne, SEEK_SET), 0);
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "two\n");
  std::rewind(f);
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "one\n");
  std::fclose(f);
}

TEST_F(TextModeTest, TextWritesEndLinesWithCrLf) {
  FILE* f = WinFOpen("C:\\out.txt", "w");
  ASSERT_NE(f, nullptr);
  std::fputs("first\nsecond\n", f);
  std::fprintf(f, "%s\n", std::string(5000, 'y').c_str());
  EXPECT_EQ(std::ftell(f), 7 + 8 + 5001 + 1);
  std::fclose(f);
  EXPECT_EQ(ReadBytes("out.txt"), "first\r\nsecond\r\n" + std::string(5000, 'y') + "\r\n");

  f = WinFOpen("C:\\out.txt", "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("raw\n", f);
  std::fclose(f);
  EXPECT_EQ(ReadBytes("out.txt"), "raw\n");

  f = WinFOpen("C:\\out.txt", "at");
  ASSERT_NE(f, nullptr);
  std::fputs("more\n", f);
  std::fclose(f);
  EXPECT_EQ(ReadBytes("out.txt"), "raw\nmore\r\n");
}

TEST_F(TextModeTest, AppendUpdateRemovesTheEndOfFileMark) {
  WriteBytes("log.txt", std::string("old\r\n\x1A", 6));
  FILE* f = WinFOpen("C:\\log.txt", "a+");
  ASSERT_NE(f, nullptr);
  std::fputs("new\n", f);
  ASSERT_EQ(std::fseek(f, 0, SEEK_SET), 0);
  EXPECT_EQ(ReadAll(f), "old\nnew\n");
  std::fclose(f);
  EXPECT_EQ(ReadBytes("log.txt"), "old\r\nnew\r\n");
}

TEST_F(TextModeTest, BinaryStreamsSeekAndUpdate) {
  WriteBytes("b.bin", "0123456789");
  FILE* f = WinFOpen("C:\\b.bin", "r+b");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fseek(f, -3, SEEK_END), 0);
  EXPECT_EQ(std::ftell(f), 7);
  EXPECT_EQ(std::fgetc(f), '7');
  ASSERT_EQ(std::fseek(f, 2, SEEK_SET), 0);
  std::fputs("ab\n", f);
  std::fclose(f);
  EXPECT_EQ(ReadBytes("b.bin"), "01ab\n56789");
}

TEST_F(TextModeTest, FailuresSetErrnoAsFopenDoes) {
  std::filesystem::create_directories(OnDriveC("Dir"));
  struct {
    const char* path;
    const char* mode;
    int error;
  } cases[] = {
      {"C:\\missing.txt", "r", ENOENT},
      {"C:\\Nowhere\\new.txt", "w", ENOENT},
      {"C:\\Dir", "r", EACCES},
      {"C:\\x.txt", "rq", EINVAL},
      {"C:\\x.txt", "", EINVAL},
      {"C:\\bad|name.txt", "w", EINVAL},
  };
  for (const auto& c : cases) {
    errno = 0;
    testing::internal::CaptureStderr();
    FILE* f = WinFOpen(c.path, c.mode);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(f, nullptr) << c.path << " " << c.mode;
    EXPECT_EQ(errno, c.error) << c.path << " " << c.mode;
    if (f) std::fclose(f);
  }
}

}  // namespace
