// Valid lines and what they parse to, written in the canonical form that
// formatCommand gives (defaults written out, texts double-quoted).
#include "scenario_parser.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "scenario_format.h"

namespace simhost::scenario {
namespace {

struct ValidCase {
  const char* line;
  const char* parsed;
};

Command parseOne(const std::string& line) {
  std::vector<Command> commands = parseScript("t.scn", line);
  if (commands.size() != 1) throw std::runtime_error("expected one command");
  return commands[0];
}

void checkTable(const std::vector<ValidCase>& cases) {
  for (const ValidCase& c : cases) {
    SCOPED_TRACE(c.line);
    try {
      Command command = parseOne(c.line);
      std::string canonical = formatCommand(command.body);
      EXPECT_EQ(canonical, c.parsed);
      // The canonical form reads back as the same command.
      EXPECT_EQ(formatCommand(parseOne(canonical).body), canonical);
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

TEST(ScenarioParser, StageCommands) {
  checkTable({
      {"outlook 97", "outlook 97"},
      {"outlook 2002 10.0.2627.1", "outlook 2002 10.0.2627.1"},
      {"outlook 98 0.0.0.65535", "outlook 98 0.0.0.65535"},
      {"editor word", "editor word"},
      {"machine MatchString sz Classification:", "machine \"MatchString\" sz \"Classification:\""},
      {"machine LastMajorBuild dword 0x00090000", "machine \"LastMajorBuild\" dword 589824"},
      {"user Prompt delete", "user \"Prompt\" delete"},
      {"reg HKCU Software\\X Name dword 4294967295",
       "reg HKCU \"Software\\\\X\" \"Name\" dword 4294967295"},
      {"reg HKLM 'Software\\A B' '' sz 'x y'", "reg HKLM \"Software\\\\A B\" \"\" sz \"x y\""},
      {"reg HKLM Software\\X delete-key", "reg HKLM \"Software\\\\X\" delete-key"},
      // five words: delete-key is then a value's name
      {"reg HKLM K delete-key dword 1", "reg HKLM \"K\" \"delete-key\" dword 1"},
      {"defaults", "defaults"},
      {"file C:\\Sigilon\\SIGILON.TXT SECRET", "file \"C:\\\\Sigilon\\\\SIGILON.TXT\" \"SECRET\""},
      {"delete-file C:\\a.txt", "delete-file \"C:\\\\a.txt\""},
      {"env TMP C:\\Temp", "env \"TMP\" \"C:\\\\Temp\""},
      {"env TEMP unset", "env \"TEMP\" unset"},
      {"env TEMP 'unset'", "env \"TEMP\" \"unset\""},
      {"module DMSCLIENT", "module \"DMSCLIENT\""},
      {"print-styles layout 2 'Table Style' \"Memo Style\"",
       "print-styles layout 2 \"Table Style\" \"Memo Style\""},
      {"clock +1500", "wait 1500"},
  });
}

TEST(ScenarioParser, MessageOptionsInAnyOrderWithDefaults) {
  checkTable({
      {"message m1 subject Hi body 'Hello there'",
       "message \"m1\" inbox subject \"Hi\" body \"Hello there\" class \"IPM.Note\""},
      // unsent without a folder goes to drafts
      {"message m2 unsent body b subject s",
       "message \"m2\" drafts subject \"s\" body \"b\" class \"IPM.Note\" unsent"},
      {"message m3 inbox unsent subject s body b",
       "message \"m3\" inbox subject \"s\" body \"b\" class \"IPM.Note\" unsent"},
      {"message m4 drafts class IPM.Note.Custom custom-form 0x10 plain header "
       "'X-A: 1' subject s body b",
       "message \"m4\" drafts subject \"s\" body \"b\" header \"X-A: 1\" plain "
       "class \"IPM.Note.Custom\" custom-form 16"},
      {"message m5 subject s body b html '<p>b</p>'",
       "message \"m5\" inbox subject \"s\" body \"b\" html \"<p>b</p>\" class \"IPM.Note\""},
      // an option's value is taken whatever it looks like
      {"message m6 subject body body subject",
       "message \"m6\" inbox subject \"body\" body \"subject\" class \"IPM.Note\""},
  });
}

TEST(ScenarioParser, Actions) {
  checkTable({
      {"start", "start"},
      {"stop", "stop"},
      {"new-message", "new-message"},
      {"new-message html", "new-message html"},
      {"new-post", "new-post"},
      {"select m1", "select \"m1\""},
      {"open m1", "open \"m1\""},
      {"reply", "reply"},
      {"reply-all", "reply-all"},
      {"forward", "forward"},
      {"next", "next"},
      {"previous", "previous"},
      {"delete", "delete"},
      {"type \"SECRET\\r\\n\"", "type \"SECRET\\r\\n\""},
      {"set-body ''", "set-body \"\""},
      {"caret 0x10", "caret 16"},
      {"classify", "classify"},
      {"send", "send"},
      {"close", "close"},
      {"print", "print"},
      {"print toolbar", "print toolbar"},
      {"options", "options"},
      {"wait 250", "wait 250"},
      {"uninstall", "uninstall initialize"},
      {"uninstall uninitialize", "uninstall uninitialize"},
  });
}

TEST(ScenarioParser, Answers) {
  checkTable({
      {"answer msgbox RETRY", "answer msgbox RETRY"},
      // a semicolon ends a step with or without blanks around it
      {"answer dialog 1062 uncheck 1063; click 1064",
       "answer dialog 1062 uncheck 1063; click 1064"},
      {"answer dialog 1062 uncheck 1063 ;click 1064",
       "answer dialog 1062 uncheck 1063; click 1064"},
      {"answer dialog 1062 check 5;click 6", "answer dialog 1062 check 5; click 6"},
      {"answer dialog 1062 check 5 ; click 6", "answer dialog 1062 check 5; click 6"},
      // a quoted semicolon is text, and a step may follow a quote at once
      {"answer dialog 200 select \"A;B\";double-click 'x y'; ok",
       "answer dialog 200 select \"A;B\"; double-click \"x y\"; ok"},
      {"answer dialog 200 type 1001 \"C:\\\\x\"; pick 1002 SECRET; date 1003 2024-02-29; help 7",
       "answer dialog 200 type 1001 \"C:\\\\x\"; pick 1002 \"SECRET\"; date 1003 2024-02-29; "
       "help 7"},
      {"answer sheet Options page 0; check 1010; apply; cancel; close",
       "answer sheet \"Options\" page 0; check 1010; apply; cancel; close"},
      {"answer font Arial 12", "answer font \"Arial\" 12"},
      {"answer font 'Times New Roman' 10 strikeout colour 0x0000FF bold",
       "answer font \"Times New Roman\" 10 bold strikeout colour 0x0000FF"},
      {"answer font cancel", "answer font cancel"},
  });
}

TEST(ScenarioParser, Expectations) {
  checkTable({
      {"expect msgbox Sigilon", "expect msgbox \"Sigilon\""},
      {"expect msgbox \"Sigilon\" \"No classification.\"",
       "expect msgbox \"Sigilon\" \"No classification.\""},
      {"expect dialog 100", "expect dialog 100"},
      {"expect dialog 100 hidden 5 6 items A 'B C' checked 7 selected B",
       "expect dialog 100 selected \"B\" items \"A\" \"B C\" checked 7 hidden 5 6"},
      // a quoted list word is an item; an empty items list says the list is empty
      {"expect dialog 100 items 'checked' \"hidden\"",
       "expect dialog 100 items \"checked\" \"hidden\""},
      {"expect dialog 100 items checked 1", "expect dialog 100 items checked 1"},
      {"expect quiet", "expect quiet"},
      {"expect body <<END\nline\nEND", "expect body \"line\\r\\n\""},
      {"expect body-starts SECRET", "expect body-starts \"SECRET\""},
      {"expect body-contains 'TOP SECRET'", "expect body-contains \"TOP SECRET\""},
      {"expect format 0 6 face Arial not-italic height 240 colour 0xFF bold",
       "expect format 0 6 bold not-italic colour 0x0000FF height 240 face \"Arial\""},
      {"expect format 1 2 not-underline strikeout", "expect format 1 2 not-underline strikeout"},
      {"expect align 0 center", "expect align 0 center"},
      {"expect caret 12", "expect caret 12"},
      {"expect modified no", "expect modified no"},
      {"expect sent", "expect sent"},
      {"expect not-sent", "expect not-sent"},
      {"expect printed", "expect printed"},
      {"expect not-printed", "expect not-printed"},
      {"expect uninstall-result -1", "expect uninstall-result -1"},
      {"expect uninstall-result 0x80004005", "expect uninstall-result -2147467259"},
      {"expect user Last sz SECRET", "expect user \"Last\" sz \"SECRET\""},
      {"expect user Last absent", "expect user \"Last\" absent"},
      {"expect reg HKLM Software\\X InsertSpace dword 1",
       "expect reg HKLM \"Software\\\\X\" \"InsertSpace\" dword 1"},
      {"expect file C:\\a.txt ''", "expect file \"C:\\\\a.txt\" \"\""},
      {"expect no-file C:\\a.txt", "expect no-file \"C:\\\\a.txt\""},
      {"expect file-contains C:\\a.txt SECRET", "expect file-contains \"C:\\\\a.txt\" \"SECRET\""},
      {"expect print-slot 'Memo Style' 2 centre '[Page #]'",
       "expect print-slot \"Memo Style\" 2 centre \"[Page #]\""},
      {"expect print-font 'Memo Style' 1 face Arial height -13 effects 0 colour 255 0 0x80",
       "expect print-font \"Memo Style\" 1 face \"Arial\" height -13 effects 0 colour 255 0 128"},
      {"expect log-contains OnSubmit", "expect log-contains \"OnSubmit\""},
      {"expect log-lacks ERROR", "expect log-lacks \"ERROR\""},
      {"expect toolbar-button indeterminate", "expect toolbar-button indeterminate"},
      {"expect menu-item '&Classify...'", "expect menu-item \"&Classify...\""},
      {"expect no-menu-item X", "expect no-menu-item \"X\""},
      {"show print-styles", "show print-styles"},
  });
}

// The fields the canonical form cannot show on its own: where a command came
// from, and the typed values behind the words.
TEST(ScenarioParser, CommandsKeepFileLineSourceAndTypedFields) {
  std::vector<Command> commands = parseScript("demo.scn",
                                              "# demo\n"
                                              "outlook 2000 9.0.0.2625\r\n"
                                              "\n"
                                              "answer dialog 0x1000 date 7 2001-12-31; page 3\n"
                                              "expect format 0 4 not-bold\n");
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].file, "demo.scn");
  EXPECT_EQ(commands[0].line, 2);
  EXPECT_EQ(commands[0].source, "outlook 2000 9.0.0.2625");
  const auto& outlook = std::get<SetOutlook>(commands[0].body);
  EXPECT_EQ(outlook.version, OutlookVersion::V2000);
  ASSERT_TRUE(outlook.fileVersion);
  EXPECT_EQ(*outlook.fileVersion, (std::array<std::uint16_t, 4>{9, 0, 0, 2625}));

  EXPECT_EQ(commands[1].line, 4);
  const auto& dialog = std::get<AnswerDialog>(commands[1].body);
  EXPECT_EQ(dialog.templateId, 0x1000u);
  ASSERT_EQ(dialog.steps.size(), 2u);
  EXPECT_EQ(dialog.steps[0].kind, Step::Kind::Date);
  EXPECT_EQ(dialog.steps[0].control, 7u);
  EXPECT_EQ(dialog.steps[0].date.year, 2001);
  EXPECT_EQ(dialog.steps[0].date.month, 12);
  EXPECT_EQ(dialog.steps[0].date.day, 31);
  EXPECT_EQ(dialog.steps[1].kind, Step::Kind::Page);
  EXPECT_EQ(dialog.steps[1].page, 3u);

  const auto& format = std::get<ExpectFormat>(commands[2].body);
  ASSERT_TRUE(format.format.bold.has_value());
  EXPECT_FALSE(*format.format.bold);
  EXPECT_FALSE(format.format.italic.has_value());
}

TEST(ScenarioParser, LoadScriptReportsAFileThatCannotBeRead) {
  // A missing file, and a directory (which opens, but cannot be read).
  for (const char* path : {"/nonexistent/dir/x.scn", "/"}) {
    SCOPED_TRACE(path);
    try {
      loadScript(path);
      ADD_FAILURE() << "no error";
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.line(), 0);
      EXPECT_EQ(std::string(e.what()).rfind(std::string(path) + ": cannot read: ", 0), 0u)
          << e.what();
    }
  }
}

TEST(ScenarioParser, LoadScriptParsesTheFile) {
  char path[] = "/tmp/scenario_load_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  const char text[] = "start\r\nexpect caret 3\r\n";
  ASSERT_EQ(write(fd, text, sizeof text - 1), static_cast<ssize_t>(sizeof text - 1));
  close(fd);
  std::vector<Command> commands = loadScript(path);
  unlink(path);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[1].file, path);
  EXPECT_EQ(commands[1].line, 2);
  EXPECT_EQ(std::get<ExpectCaret>(commands[1].body).pos, 3u);
}

}  // namespace
}  // namespace simhost::scenario
