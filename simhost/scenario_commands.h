// The commands of the scenario language, one struct per command (commands
// that differ by a keyword only share a struct and an enum). The parser fills
// them with checked values and defaults resolved, so the runner does no
// parsing of its own. Names avoid the Win32 A/W macro names (DeleteFile, ...)
// because the runner also includes the platform headers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace simhost::scenario {

// ---- Pieces shared by several commands -----------------------------------

enum class RegRoot { Hklm, Hkcu };

// The key a value command works on. The product's machine and user keys are
// known to the host, not to the script, so they carry no path.
struct ValueKey {
  enum class Kind { Machine, User, Explicit };
  Kind kind = Kind::Machine;
  RegRoot root = RegRoot::Hklm;  // Explicit only
  std::string path;              // Explicit only, as written (backslashes)
};

// A registry value as written or expected. None is `delete` when setting and
// `absent` when expecting.
struct RegData {
  enum class Kind { Dword, Sz, None };
  Kind kind = Kind::None;
  std::uint32_t dword = 0;  // Dword only
  std::string sz;           // Sz only
};

// ---- Setting the stage ---------------------------------------------------

enum class OutlookVersion { V97, V98, V2000, V2002 };

struct SetOutlook {  // outlook 97|98|2000|2002 [a.b.c.d]
  OutlookVersion version = OutlookVersion::V2000;
  std::optional<std::array<std::uint16_t, 4>> fileVersion;  // none: the host's default build
};

enum class Editor { Rtf, Plain, Html, Word };

struct SetEditor {  // editor rtf|plain|html|word
  Editor editor = Editor::Rtf;
};

struct SetValue {  // machine ..., user ..., reg HKLM|HKCU KEY NAME ...
  ValueKey key;
  std::string name;
  RegData data;  // None: delete the value
};

struct DeleteKey {  // reg HKLM|HKCU KEY delete-key
  RegRoot root = RegRoot::Hklm;
  std::string path;
};

struct Defaults {};  // defaults

struct PutFile {  // file PATH TEXT
  std::string path;
  std::string text;
};

struct RemoveFile {  // delete-file PATH
  std::string path;
};

struct SetEnv {  // env NAME VALUE | env NAME unset
  std::string name;
  std::optional<std::string> value;  // none: unset
};

struct LoadModule {  // module NAME
  std::string name;
};

struct WritePrintStyles {  // print-styles layout 1|2 STYLE...
  int layout = 1;
  std::vector<std::string> styles;  // at least one
};

enum class Folder { Inbox, Drafts };

// message ID [inbox|drafts] subject TEXT body TEXT [header TEXT] [html TEXT]
//         [plain] [class TEXT] [custom-form N] [unsent]
struct AddMessage {
  std::string id;
  Folder folder = Folder::Inbox;  // when not written: drafts if unsent, else inbox
  std::string subject;
  std::string body;
  std::optional<std::string> header;  // transport headers
  std::optional<std::string> html;    // HTML source; the note shows HTML
  bool plain = false;                 // the note shows plain text
  std::string messageClass = "IPM.Note";
  std::optional<std::uint32_t> customForm;
  bool unsent = false;
};

struct Wait {  // wait MS, clock +MS
  std::uint32_t ms = 0;
};

// ---- Actions -------------------------------------------------------------

struct Start {};
struct Stop {};

enum class NoteFormat { Rtf, Plain, Html };

struct NewMessage {                  // new-message [rtf|plain|html]
  std::optional<NoteFormat> format;  // none: as the editor setting says
};

struct NewPost {};

struct Select {  // select ID
  std::string id;
};

struct Open {  // open ID
  std::string id;
};

enum class ResponseKind { Reply, ReplyAll, Forward };

struct Respond {  // reply, reply-all, forward
  ResponseKind kind = ResponseKind::Reply;
};

enum class BrowseKind { Next, Previous, Delete };

struct Browse {  // next, previous, delete
  BrowseKind kind = BrowseKind::Next;
};

struct Type {  // type TEXT
  std::string text;
};

struct SetBody {  // set-body TEXT
  std::string text;
};

struct Caret {  // caret N
  std::uint32_t pos = 0;
};

struct Classify {};
struct Send {};
struct Close {};

struct Print {  // print [toolbar]
  bool toolbar = false;
};

struct Options {};

enum class UninstEntry { Initialize, Uninitialize };

struct Uninstall {  // uninstall [initialize|uninitialize]
  UninstEntry entry = UninstEntry::Initialize;
};

// ---- Answers -------------------------------------------------------------

enum class MsgboxButton { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct AnswerMsgbox {  // answer msgbox OK|CANCEL|YES|NO|ABORT|RETRY|IGNORE
  MsgboxButton button = MsgboxButton::Ok;
};

struct Date {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to the month's last day
};

// One thing the user does in a dialog or property sheet.
struct Step {
  enum class Kind {
    Select,       // select "TEXT"
    DoubleClick,  // double-click "TEXT"
    Click,        // click ID
    Check,        // check ID
    Uncheck,      // uncheck ID
    Type,         // type ID "TEXT"
    Pick,         // pick ID "TEXT"
    Date,         // date ID YYYY-MM-DD
    Page,         // page N
    Apply,        // apply
    Ok,           // ok
    Cancel,       // cancel
    Close,        // close
    Help,         // help ID
  };
  Kind kind = Kind::Click;
  std::uint32_t control = 0;  // Click, Check, Uncheck, Type, Pick, Date, Help
  std::string text;           // Select, DoubleClick, Type, Pick
  Date date;                  // Date
  std::uint32_t page = 0;     // Page
};

struct AnswerDialog {  // answer dialog ID STEP; STEP; ...
  std::uint32_t templateId = 0;
  std::vector<Step> steps;  // at least one
};

struct AnswerSheet {  // answer sheet "CAPTION" STEP; STEP; ...
  std::string caption;
  std::vector<Step> steps;  // at least one
};

struct FontChoice {
  std::string face;
  std::uint32_t size = 0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  std::optional<std::uint32_t> colour;  // 0xBBGGRR
};

// answer font FACE SIZE [bold] [italic] [underline] [strikeout] [colour 0xBBGGRR]
// answer font cancel
struct AnswerFont {
  std::optional<FontChoice> choice;  // none: cancel
};

// ---- Expectations --------------------------------------------------------

struct ExpectMsgbox {  // expect msgbox "TITLE" ["TEXT"]
  std::string title;
  std::optional<std::string> text;
};

// expect dialog ID [selected "TEXT"] [items "A" "B" ...] [checked ID...] [hidden ID...]
struct ExpectDialog {
  std::uint32_t templateId = 0;
  std::optional<std::string> selected;
  std::optional<std::vector<std::string>> items;  // present but empty: the list is empty
  std::vector<std::uint32_t> checked;
  std::vector<std::uint32_t> hidden;
};

struct ExpectQuiet {};

enum class TextMatch { Equals, StartsWith, Contains };

struct ExpectBody {  // expect body TEXT, body-starts TEXT, body-contains TEXT
  TextMatch match = TextMatch::Equals;
  std::string text;
};

// The attributes an `expect format` checks; what is not given is not checked.
struct CharFormat {
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<bool> underline;
  std::optional<bool> strikeout;
  std::optional<std::uint32_t> colour;  // 0xBBGGRR
  std::optional<std::uint32_t> height;  // twips
  std::optional<std::string> face;
};

struct ExpectFormat {  // expect format FROM TO ATTR...
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  CharFormat format;  // at least one attribute
};

enum class Align { Left, Right, Center };

struct ExpectAlign {  // expect align POS left|right|center
  std::uint32_t pos = 0;
  Align align = Align::Left;
};

struct ExpectCaret {  // expect caret N
  std::uint32_t pos = 0;
};

struct ExpectModified {  // expect modified yes|no
  bool modified = false;
};

struct ExpectSent {  // expect sent, expect not-sent
  bool sent = false;
};

struct ExpectPrinted {  // expect printed, expect not-printed
  bool printed = false;
};

struct ExpectUninstallResult {  // expect uninstall-result N
  std::int32_t result = 0;
};

struct ExpectValue {  // expect user NAME ..., expect reg HKLM|HKCU KEY NAME ...
  ValueKey key;       // Kind User or Explicit
  std::string name;
  RegData data;  // None: the value is absent
};

enum class FileMatch { Equals, Absent, Contains };

struct ExpectFile {  // expect file PATH TEXT, no-file PATH, file-contains PATH TEXT
  FileMatch match = FileMatch::Equals;
  std::string path;
  std::string text;  // not for Absent
};

enum class PrintSlot { Left, Centre, Right };

struct ExpectPrintSlot {  // expect print-slot STYLE 1|2 left|centre|right TEXT
  std::string style;
  int block = 1;
  PrintSlot slot = PrintSlot::Left;
  std::string text;
};

// expect print-font STYLE 1|2 face NAME height N effects N colour R G B
struct ExpectPrintFont {
  std::string style;
  int block = 1;
  std::string face;
  std::int32_t height = 0;
  std::uint32_t effects = 0;
  std::array<std::uint8_t, 3> rgb{};  // red, green, blue
};

struct ExpectLog {  // expect log-contains TEXT, expect log-lacks TEXT
  bool contains = true;
  std::string text;
};

enum class ButtonState { Enabled, Indeterminate, Absent };

struct ExpectToolbarButton {  // expect toolbar-button enabled|indeterminate|absent
  ButtonState state = ButtonState::Enabled;
};

struct ExpectMenuItem {  // expect menu-item "TEXT", expect no-menu-item "TEXT"
  std::string text;
  bool present = true;
};

// ---- Showing state -------------------------------------------------------

enum class ShowWhat { Body, Events, Registry, PrintStyles };

struct Show {  // show body|events|registry|print-styles
  ShowWhat what = ShowWhat::Body;
};

// ---- The command ---------------------------------------------------------

using CommandBody = std::variant<
    // setting the stage
    SetOutlook, SetEditor, SetValue, DeleteKey, Defaults, PutFile, RemoveFile, SetEnv, LoadModule,
    WritePrintStyles, AddMessage, Wait,
    // actions
    Start, Stop, NewMessage, NewPost, Select, Open, Respond, Browse, Type, SetBody, Caret, Classify,
    Send, Close, Print, Options, Uninstall,
    // answers
    AnswerMsgbox, AnswerDialog, AnswerSheet, AnswerFont,
    // expectations
    ExpectMsgbox, ExpectDialog, ExpectQuiet, ExpectBody, ExpectFormat, ExpectAlign, ExpectCaret,
    ExpectModified, ExpectSent, ExpectPrinted, ExpectUninstallResult, ExpectValue, ExpectFile,
    ExpectPrintSlot, ExpectPrintFont, ExpectLog, ExpectToolbarButton, ExpectMenuItem,
    // showing state
    Show>;

struct Command {
  std::string file;
  int line = 0;
  std::string source;  // the command line as written, for the transcript
  CommandBody body;
};

}  // namespace simhost::scenario
