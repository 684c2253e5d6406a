// Wrong lines and the error a script writer gets for each.
#include <gtest/gtest.h>

#include <string>

#include "scenario_parser.h"

namespace simhost::scenario {
namespace {

struct ErrorCase {
  const char* line;
  const char* error;  // what() in full; the line is always line 1
};

void checkErrors(const std::vector<ErrorCase>& cases) {
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.line);
    try {
      parseScript("bad.scn", c.line);
      ADD_FAILURE() << "no error";
    } catch (const ScriptError& e) {
      EXPECT_STREQ(e.what(), c.error);
    }
  }
}

TEST(ScenarioParserErrors, CommandNames) {
  checkErrors({
      {"launch", "bad.scn:1: unknown command 'launch'"},
      {"Start", "bad.scn:1: unknown command 'Start'"},
      {"'start'", "bad.scn:1: a command must start with a bare word, found 'start'"},
      {"answer", "bad.scn:1: answer: missing what to answer (msgbox, dialog, sheet or font)"},
      {"answer box OK",
       "bad.scn:1: unknown command 'answer box'; expected answer msgbox, dialog, sheet or font"},
      {"expect",
       "bad.scn:1: expect: missing what to expect (msgbox, dialog, quiet, body, "
       "body-starts, body-contains, format, align, caret, modified, sent, not-sent, "
       "printed, not-printed, uninstall-result, user, reg, file, no-file, "
       "file-contains, print-slot, print-font, log-contains, log-lacks, "
       "toolbar-button, menu-item or no-menu-item)"},
  });
}

TEST(ScenarioParserErrors, StageCommands) {
  checkErrors({
      {"outlook 95",
       "bad.scn:1: outlook: version: expected 97, 98, 2000 or 2002, found '95' "
       "(usage: outlook 97|98|2000|2002 [a.b.c.d])"},
      {"outlook",
       "bad.scn:1: outlook: missing version (97, 98, 2000 or 2002) "
       "(usage: outlook 97|98|2000|2002 [a.b.c.d])"},
      {"outlook 2000 9.0.0",
       "bad.scn:1: outlook: file version '9.0.0' is not a.b.c.d (each part 0 to 65535) "
       "(usage: outlook 97|98|2000|2002 [a.b.c.d])"},
      {"outlook 2000 9.0.0.65536",
       "bad.scn:1: outlook: file version '9.0.0.65536' is not a.b.c.d (each part 0 to 65535) "
       "(usage: outlook 97|98|2000|2002 [a.b.c.d])"},
      {"outlook 2000 9.0.0.1 x",
       "bad.scn:1: outlook: unexpected extra word 'x' (usage: outlook 97|98|2000|2002 [a.b.c.d])"},
      {"machine X dword 12x",
       "bad.scn:1: machine: dword value: '12x' is not a decimal or 0x hexadecimal number "
       "(usage: machine NAME dword N|sz TEXT|delete)"},
      {"machine X absent",
       "bad.scn:1: machine: value type: expected dword, sz or delete, found 'absent' "
       "(usage: machine NAME dword N|sz TEXT|delete)"},
      {"user X sz two words",
       "bad.scn:1: user: unexpected extra word 'words' (a text holding blanks needs quotes) "
       "(usage: user NAME dword N|sz TEXT|delete)"},
      {"reg HKEY_LOCAL_MACHINE K delete-key",
       "bad.scn:1: reg: root key: expected HKLM or HKCU, found 'HKEY_LOCAL_MACHINE' "
       "(usage: reg HKLM|HKCU KEY NAME dword N|sz TEXT|delete or reg HKLM|HKCU KEY delete-key)"},
      {"reg HKLM K",
       "bad.scn:1: reg: missing value NAME (or delete-key) "
       "(usage: reg HKLM|HKCU KEY NAME dword N|sz TEXT|delete or reg HKLM|HKCU KEY delete-key)"},
      {"env X", "bad.scn:1: env: missing VALUE (or unset) (usage: env NAME VALUE|unset)"},
      {"print-styles 1 A",
       "bad.scn:1: print-styles: the word layout: expected layout, found '1' "
       "(usage: print-styles layout 1|2 STYLE...)"},
      {"print-styles layout 3 A",
       "bad.scn:1: print-styles: layout: expected 1 or 2, found '3' "
       "(usage: print-styles layout 1|2 STYLE...)"},
      {"print-styles layout 1",
       "bad.scn:1: print-styles: missing STYLE (usage: print-styles layout 1|2 STYLE...)"},
      {"clock 100",
       "bad.scn:1: clock: expected +MS (a + before the milliseconds), found '100' "
       "(usage: clock +MS)"},
      {"clock +-1",
       "bad.scn:1: clock: MS: '-1' has a sign; only unsigned numbers are allowed here "
       "(usage: clock +MS)"},
      {"file C:\\a.txt", "bad.scn:1: file: missing TEXT (usage: file PATH TEXT)"},
  });
}

TEST(ScenarioParserErrors, MessageOptions) {
  const std::string usage =
      " (usage: message ID [inbox|drafts] subject TEXT body TEXT [header TEXT] [html TEXT] "
      "[plain] [class TEXT] [custom-form N] [unsent])";
  struct Case {
    const char* line;
    std::string message;
  };
  const Case cases[] = {
      {"message m1 body b", "missing subject TEXT"},
      {"message m1 subject s", "missing body TEXT"},
      {"message m1 subject s body b subject t", "option subject given twice"},
      {"message m1 subject s body b plain html x", "plain and html exclude each other"},
      {"message m1 subject s body b sent",
       "expected an option (subject, body, header, html, plain, class, custom-form or unsent), "
       "found 'sent'"},
      // the folder comes right after the ID
      {"message m1 subject s body b drafts",
       "expected an option (subject, body, header, html, plain, class, custom-form or unsent), "
       "found 'drafts'"},
      {"message m1 subject s body b custom-form x",
       "custom-form N: 'x' is not a decimal or 0x hexadecimal number"},
      {"message m1 subject s body", "missing body TEXT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    try {
      parseScript("bad.scn", c.line);
      ADD_FAILURE() << "no error";
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.what(), "bad.scn:1: message: " + c.message + usage);
    }
  }
}

TEST(ScenarioParserErrors, ActionsAndAnswers) {
  checkErrors({
      {"start now", "bad.scn:1: start: unexpected extra word 'now' (usage: start)"},
      {"new-message word",
       "bad.scn:1: new-message: format: expected rtf, plain or html, found 'word' "
       "(usage: new-message [rtf|plain|html])"},
      {"type hello world",
       "bad.scn:1: type: unexpected extra word 'world' (a text holding blanks needs quotes) "
       "(usage: type TEXT)"},
      {"caret -1",
       "bad.scn:1: caret: position N: '-1' has a sign; only unsigned numbers are allowed here "
       "(usage: caret N)"},
      {"uninstall now",
       "bad.scn:1: uninstall: entry: expected initialize or uninitialize, found 'now' "
       "(usage: uninstall [initialize|uninitialize])"},
      {"answer msgbox ok",
       "bad.scn:1: answer msgbox: button: expected OK, CANCEL, YES, NO, ABORT, RETRY or "
       "IGNORE, found 'ok' (usage: answer msgbox OK|CANCEL|YES|NO|ABORT|RETRY|IGNORE)"},
      {"answer msgbox \"OK\"",
       "bad.scn:1: answer msgbox: button: expected OK, CANCEL, YES, NO, ABORT, RETRY or "
       "IGNORE, found \"OK\" (a quoted word is text, never a keyword) "
       "(usage: answer msgbox OK|CANCEL|YES|NO|ABORT|RETRY|IGNORE)"},
      {"answer dialog 100",
       "bad.scn:1: answer dialog: missing STEP (usage: answer dialog ID STEP; STEP; ...)"},
      {"answer dialog 100 click 1;; ok",
       "bad.scn:1: answer dialog: step 2 is empty (a stray semicolon) "
       "(usage: answer dialog ID STEP; STEP; ...)"},
      {"answer dialog 100 click 1;",
       "bad.scn:1: answer dialog: step 2 is empty (a stray semicolon) "
       "(usage: answer dialog ID STEP; STEP; ...)"},
      {"answer dialog 100 click 1; press 2",
       "bad.scn:1: answer dialog, step 2: step: expected select, double-click, click, check, "
       "uncheck, type, pick, date, page, apply, ok, cancel, close or help, found 'press'"},
      {"answer dialog 100 click OK",
       "bad.scn:1: answer dialog, step 1: control ID: 'OK' is not a decimal or 0x hexadecimal "
       "number (usage: click ID)"},
      {"answer dialog 100 ok 1",
       "bad.scn:1: answer dialog, step 1: unexpected extra word '1' (usage: ok)"},
      {"answer dialog 100 type 5 two words",
       "bad.scn:1: answer dialog, step 1: unexpected extra word 'words' (a text holding blanks "
       "needs quotes) (usage: type ID \"TEXT\")"},
      {"answer dialog 100 date 5 2023-02-29",
       "bad.scn:1: answer dialog, step 1: date '2023-02-29' does not exist "
       "(usage: date ID YYYY-MM-DD)"},
      {"answer dialog 100 date 5 2023-2-28",
       "bad.scn:1: answer dialog, step 1: date '2023-2-28' is not YYYY-MM-DD "
       "(usage: date ID YYYY-MM-DD)"},
      {"answer sheet Options page",
       "bad.scn:1: answer sheet, step 1: missing page N (usage: page N)"},
      {"answer font Arial",
       "bad.scn:1: answer font: missing SIZE (usage: answer font FACE SIZE [bold] [italic] "
       "[underline] [strikeout] [colour 0xBBGGRR] or answer font cancel)"},
      {"answer font Arial 10 bold bold",
       "bad.scn:1: answer font: bold given twice (usage: answer font FACE SIZE [bold] [italic] "
       "[underline] [strikeout] [colour 0xBBGGRR] or answer font cancel)"},
      {"answer font Arial 10 colour 0x1000000",
       "bad.scn:1: answer font: colour 0xBBGGRR: '0x1000000' is larger than 16777215 "
       "(usage: answer font FACE SIZE [bold] [italic] [underline] [strikeout] "
       "[colour 0xBBGGRR] or answer font cancel)"},
  });
}

TEST(ScenarioParserErrors, Expectations) {
  checkErrors({
      {"expect msgbox",
       "bad.scn:1: expect msgbox: missing TITLE "
       "(usage: expect msgbox \"TITLE\" [\"TEXT\"])"},
      {"expect dialog 100 selected",
       "bad.scn:1: expect dialog: missing TEXT after selected (usage: expect dialog ID "
       "[selected \"TEXT\"] [items \"A\" \"B\" ...] [checked ID...] [hidden ID...])"},
      {"expect dialog 100 selected items A",
       "bad.scn:1: expect dialog: missing TEXT after selected (usage: expect dialog ID "
       "[selected \"TEXT\"] [items \"A\" \"B\" ...] [checked ID...] [hidden ID...])"},
      {"expect dialog 100 checked hidden 5",
       "bad.scn:1: expect dialog: missing control ID after checked (usage: expect dialog ID "
       "[selected \"TEXT\"] [items \"A\" \"B\" ...] [checked ID...] [hidden ID...])"},
      {"expect dialog 100 checked 5 checked 6",
       "bad.scn:1: expect dialog: checked given twice (usage: expect dialog ID "
       "[selected \"TEXT\"] [items \"A\" \"B\" ...] [checked ID...] [hidden ID...])"},
      {"expect dialog 100 A",
       "bad.scn:1: expect dialog: expected selected, items, checked or hidden, found 'A' "
       "(usage: expect dialog ID [selected \"TEXT\"] [items \"A\" \"B\" ...] [checked ID...] "
       "[hidden ID...])"},
      {"expect format 0 5",
       "bad.scn:1: expect format: missing ATTR (usage: expect format FROM TO ATTR...)"},
      {"expect format 5 5 bold",
       "bad.scn:1: expect format: FROM must be before TO (usage: expect format FROM TO ATTR...)"},
      {"expect format 0 5 bold not-bold",
       "bad.scn:1: expect format: bold given twice (usage: expect format FROM TO ATTR...)"},
      {"expect format 0 5 blue",
       "bad.scn:1: expect format: expected an ATTR ([not-]bold, [not-]italic, [not-]underline, "
       "[not-]strikeout, colour, height or face), found 'blue' "
       "(usage: expect format FROM TO ATTR...)"},
      {"expect align 0 centre",
       "bad.scn:1: expect align: alignment: expected left, right or center, found 'centre' "
       "(usage: expect align POS left|right|center)"},
      {"expect modified true",
       "bad.scn:1: expect modified: modified flag: expected yes or no, found 'true' "
       "(usage: expect modified yes|no)"},
      {"expect uninstall-result 2147483648",
       "bad.scn:1: expect uninstall-result: N: '2147483648' is outside -2147483648 to "
       "2147483647 (usage: expect uninstall-result N)"},
      {"expect user X delete",
       "bad.scn:1: expect user: value type: expected dword, sz or absent, found 'delete' "
       "(usage: expect user NAME dword N|sz TEXT|absent)"},
      {"expect no-file C:\\a.txt x",
       "bad.scn:1: expect no-file: unexpected extra word 'x' (a text holding blanks needs "
       "quotes) (usage: expect no-file PATH)"},
      {"expect print-slot S 1 center x",
       "bad.scn:1: expect print-slot: slot: expected left, centre or right, found 'center' "
       "(usage: expect print-slot STYLE 1|2 left|centre|right TEXT)"},
      {"expect print-font S 1 face Arial height 10 effects 0 colour 1 2",
       "bad.scn:1: expect print-font: missing colour B (usage: expect print-font STYLE 1|2 "
       "face NAME height N effects N colour R G B)"},
      {"expect print-font S 1 face Arial height 10 effects 0 colour 1 2 256",
       "bad.scn:1: expect print-font: colour B: '256' is larger than 255 (usage: expect "
       "print-font STYLE 1|2 face NAME height N effects N colour R G B)"},
      {"expect print-font S 1 Arial",
       "bad.scn:1: expect print-font: the word face: expected face, found 'Arial' (usage: "
       "expect print-font STYLE 1|2 face NAME height N effects N colour R G B)"},
      {"expect toolbar-button disabled",
       "bad.scn:1: expect toolbar-button: button state: expected enabled, indeterminate or "
       "absent, found 'disabled' (usage: expect toolbar-button enabled|indeterminate|absent)"},
      {"show all",
       "bad.scn:1: show: what to show: expected body, events, registry or print-styles, found "
       "'all' (usage: show body|events|registry|print-styles)"},
  });
}

TEST(ScenarioParserErrors, ReportTheLineOfTheWrongCommand) {
  try {
    parseScript("bad.scn", "start\nfile x <<END\na\nEND\n\nstop now\n");
    ADD_FAILURE() << "no error";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.file(), "bad.scn");
    EXPECT_EQ(e.line(), 6);
    EXPECT_EQ(e.message(), "stop: unexpected extra word 'now' (usage: stop)");
  }
}

}  // namespace
}  // namespace simhost::scenario
