#include <string>
#include <vector>

#include "registry_fixture.h"

using std::string_literals::operator""s;

namespace {

struct TypedValue {
  const char* name;
  DWORD type;
  std::string data;
};

// One of each form the file has, and the edges of each.
const std::vector<TypedValue>& EveryKindOfValue() {
  static const std::vector<TypedValue> values = {
      {"", REG_SZ, "default\0"s},
      {"Plain", REG_SZ, "C:\\Program Files\\\"quoted\"\0"s},
      {"Ansi", REG_SZ, "caf\xE9 \x80 \x81\0"s},
      {"NoTerminator", REG_SZ, "abc"},
      {"TwoLines", REG_SZ, "one\r\ntwo\0"s},
      {"InnerNul", REG_SZ, "a\0b\0"s},
      {"EmptySz", REG_SZ, ""},
      {"Expand", REG_EXPAND_SZ, "%TEMP%\\x\0"s},
      {"Multi", REG_MULTI_SZ, "first\0second\xE9\0\0"s},
      {"Dword", REG_DWORD, "\x0c\0\0\x80"s},
      {"ShortDword", REG_DWORD, "\x01\x02\x03"s},
      {"BigEndian", REG_DWORD_BIG_ENDIAN, "\0\0\0\x01"s},
      {"Qword", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"s},
      {"None", REG_NONE, "\xff"s},
      {"EmptyBinary", REG_BINARY, ""},
      {"LongBinary", REG_BINARY, std::string(200, '\xA5')},
      {"Odd\\Name \"q\"", REG_BINARY, "\x01"s},
      {"@", REG_SZ, "at\0"s},
  };
  return values;
}

}  // namespace

TEST_F(RegistryTest, EveryKindOfValueComesBackByteForByteFromTheFile) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\RoundTrip");
  for (const TypedValue& v : EveryKindOfValue()) ASSERT_EQ(Set(key, v.name, v.type, v.data), 0);
  RegCloseKey(key);
  const std::string saved = ReadPrefixFile("user.reg");

  SaveAndReload();
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\RoundTrip", 0, KEY_ALL_ACCESS, &key), 0);
  for (const TypedValue& v : EveryKindOfValue()) {
    DWORD type = 0xdead;
    EXPECT_EQ(Get(key, v.name, &type), v.data) << v.name;
    EXPECT_EQ(type, v.type) << v.name;
  }
  EXPECT_TRUE(sigplat::RegistryDiagnostics().empty());
  // Writing what was read gives the same file again.
  ASSERT_EQ(Set(key, "Plain", REG_SZ, EveryKindOfValue()[1].data), 0);
  RegCloseKey(key);
  EXPECT_EQ(ReadPrefixFile("user.reg"), saved);
}

TEST_F(RegistryTest, WritesTheRegeditFormat) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Golden");
  ASSERT_EQ(Set(key, nullptr, REG_SZ, "top\0"s), 0);
  ASSERT_EQ(Set(key, "Path", REG_SZ, "C:\\Dir \"x\" caf\xE9\0"s), 0);
  ASSERT_EQ(Set(key, "Count", REG_DWORD, "\x0c\0\0\0"s), 0);
  ASSERT_EQ(Set(key, "Bytes", REG_BINARY, "\x01\xab"s), 0);
  ASSERT_EQ(Set(key, "Expand", REG_EXPAND_SZ, "%A%\0"s), 0);
  ASSERT_EQ(Set(key, "Multi", REG_MULTI_SZ, "a\0b\0\0"s), 0);
  ASSERT_EQ(Set(key, "Raw", REG_SZ, "no end"), 0);
  ASSERT_EQ(Set(key, "Big", REG_QWORD, "\x01\0\0\0\0\0\0\0"s), 0);
  ASSERT_EQ(Set(key, "Long", REG_BINARY, std::string(30, '\x10')), 0);
  RegCloseKey(key);
  // Keys come out sorted without regard to case, empty ones included.
  for (const char* path :
       {"Software\\Golden\\beta", "Software\\Golden\\Alpha", "Software\\Golden\\Gamma\\Deep"}) {
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, path));
  }

  EXPECT_EQ(ReadPrefixFile("machine.reg"), Crlf(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software]

[HKEY_LOCAL_MACHINE\Software\Golden]
@="top"
"Path"="C:\\Dir \"x\" café"
"Count"=dword:0000000c
"Bytes"=hex:01,ab
"Expand"=hex(2):25,00,41,00,25,00,00,00
"Multi"=hex(7):61,00,00,00,62,00,00,00,00,00
"Raw"=hex(1):6e,00,6f,00,20,00,65,00,6e,00,64,00
"Big"=hex(b):01,00,00,00,00,00,00,00
"Long"=hex:10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,\
  10,10,10,10,10,10,10,10

[HKEY_LOCAL_MACHINE\Software\Golden\Alpha]

[HKEY_LOCAL_MACHINE\Software\Golden\beta]

[HKEY_LOCAL_MACHINE\Software\Golden\Gamma]

[HKEY_LOCAL_MACHINE\Software\Golden\Gamma\Deep]

)"));
  EXPECT_EQ(ReadPrefixFile("user.reg"), "");  // untouched hives are not written
}

TEST_F(RegistryTest, EmptyKeysAndNameCaseSurviveAReload) {
  RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Empty\\MixedCase"));
  SaveAndReload();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\EMPTY\\MIXEDCASE", 0, KEY_READ, &key), 0);
  RegCloseKey(key);
  sigplat::FlushRegistry();
  // Nothing changed, so nothing was rewritten with the case of the lookup.
  EXPECT_NE(ReadPrefixFile("user.reg").find("[HKEY_CURRENT_USER\\Software\\Empty\\MixedCase]"),
            std::string::npos);
}

TEST_F(RegistryTest, ReadsAUtf16RegeditExport) {
  const std::string text = Crlf(
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillfen\\Export]\n"
      "\"Name\"=\"Z\xC3\xBCrich \\\"HQ\\\"\"\n"
      "\"Gone\"=\"soon\"\n"
      "\"Gone\"=-\n"
      "\"Flag\"=dword:00000001\n"
      "\"Path\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,\\\n"
      "  00,25,00,00,00\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillfen\\Doomed]\n"
      "\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillfen\\Doomed]\n"
      "\n");
  std::string bytes = "\xFF\xFE";
  for (char c : text) {
    // Only the one non-ASCII character of the text needs real decoding.
    if (c == '\xC3') continue;
    if (c == '\xBC') {
      bytes += "\xFC\x00"s;
      continue;
    }
    bytes += c;
    bytes += '\0';
  }
  WritePrefixFile("machine.reg", bytes);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Quillfen\\Export", 0, KEY_READ, &key), 0);
  DWORD type = 0;
  EXPECT_EQ(Get(key, "Name", &type), "Z\xFCrich \"HQ\"\0"s);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Get(key, "Flag"), "\x01\0\0\0"s);
  EXPECT_EQ(Get(key, "Path", &type), "%SystemRoot%\0"s);
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(Get(key, "Gone"), "<error 2>");
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Quillfen\\Doomed", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(sigplat::RegistryDiagnostics().empty());
}

TEST_F(RegistryTest, ReadsUtf8WithBomAndBareLineFeeds) {
  WritePrefixFile("user.reg",
                  "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n"
                  "\"Euro\"=\"\xE2\x82\xAC\"\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "a", 0, KEY_READ, &key), 0);
  EXPECT_EQ(Get(key, "euro"), "\x80\0"s);
  RegCloseKey(key);
}

TEST_F(RegistryTest, UnreadableLinesAreReportedWithTheirPlaceAndKept) {
  const std::vector<std::string> junk = {
      "stray words before any key",                // line 3
      "\"Count\"=dword:xyz",                       // line 7
      "\"Open\"=\"no closing quote",               // line 8
      "\"Weird\"=float:1.5",                       // line 9
      "[HKEY_CURRENT_USER\\Software\\Elsewhere]",  // line 11: another hive's section
      "\"Kept\"=\"with the foreign section\"",     // line 12
  };
  WritePrefixFile("machine.reg", Crlf("Windows Registry Editor Version 5.00\n"
                                      "\n" +
                                      junk[0] +
                                      "\n"
                                      "\n"
                                      "[HKEY_LOCAL_MACHINE\\Software\\Mixed]\n"
                                      "\"Good\"=\"yes\"\n" +
                                      junk[1] + "\n" + junk[2] + "\n" + junk[3] +
                                      "\n"
                                      "; a comment is kept without a word\n" +
                                      junk[4] + "\n" + junk[5] + "\n"));

  const std::string path = PathOf("machine.reg");
  const std::vector<std::string> diagnostics = sigplat::RegistryDiagnostics();
  const std::vector<int> lines = {3, 7, 8, 9, 11};
  ASSERT_EQ(diagnostics.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(diagnostics[i].rfind(path + ":" + std::to_string(lines[i]) + ": ", 0), 0u)
        << diagnostics[i];
  }

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Mixed", 0, KEY_ALL_ACCESS, &key), 0);
  EXPECT_EQ(Get(key, "Good"), "yes\0"s);
  EXPECT_EQ(Get(key, "Count"), "<error 2>");
  ASSERT_EQ(Set(key, "Added", REG_DWORD, "\1\0\0\0"s), 0);
  RegCloseKey(key);

  const std::string saved = ReadPrefixFile("machine.reg");
  EXPECT_EQ(saved.find("; a comment is kept without a word\r\n"), saved.find(junk[4]) - 36);
  for (const std::string& line : junk) {
    EXPECT_NE(saved.find(line + "\r\n"), std::string::npos) << line << "\n" << saved;
  }
  // Each stays with its own section: the head's line before the first key.
  EXPECT_LT(saved.find(junk[0]), saved.find("[HKEY_LOCAL_MACHINE\\Software]"));
  EXPECT_GT(saved.find(junk[1]), saved.find("[HKEY_LOCAL_MACHINE\\Software\\Mixed]"));

  // Reading the saved file again finds the same lines, no more.
  SaveAndReload();
  EXPECT_EQ(sigplat::RegistryDiagnostics().size(), lines.size());
}

TEST_F(RegistryTest, AFileWithAWrongHeaderIsKeptWhole) {
  const std::string old = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Old]\r\n\"A\"=\"1\"\r\n";
  WritePrefixFile("machine.reg", old);
  const std::vector<std::string> diagnostics = sigplat::RegistryDiagnostics();
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_EQ(diagnostics[0].rfind(PathOf("machine.reg") + ":1: ", 0), 0u) << diagnostics[0];

  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Old", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(Create(HKEY_LOCAL_MACHINE, "Software\\New"));
  const std::string saved = ReadPrefixFile("machine.reg");
  EXPECT_NE(
      saved.find("\r\n\r\nREGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Old]\r\n\"A\"=\"1\"\r\n"),
      std::string::npos)
      << saved;
}

TEST_F(RegistryTest, TextOutsideTheAnsiCodePageIsReadAsQuestionMarksAndKeptAsWritten) {
  const std::string line = "\"Snow\"=\"a\xE2\x82\xAC\xE2\x98\x83\"";  // euro, then a snowman
  WritePrefixFile("user.reg",
                  Crlf("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\U]\n" + line +
                       "\n\"Other\"=\"x\"\n"));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "U", 0, KEY_ALL_ACCESS, &key), 0);
  EXPECT_EQ(Get(key, "Snow"), "a\x80?\0"s);
  EXPECT_EQ(sigplat::RegistryDiagnostics().size(), 1u);
  ASSERT_EQ(Set(key, "Other", REG_SZ, "y\0"s), 0);
  RegCloseKey(key);
  EXPECT_NE(ReadPrefixFile("user.reg").find(line + "\r\n"), std::string::npos);

  // Once the value is set, the file holds what was set.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "U", 0, KEY_ALL_ACCESS, &key), 0);
  ASSERT_EQ(Set(key, "Snow", REG_SZ, "b\0"s), 0);
  RegCloseKey(key);
  EXPECT_NE(ReadPrefixFile("user.reg").find("\"Snow\"=\"b\"\r\n"), std::string::npos);
}
