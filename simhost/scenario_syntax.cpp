#include "scenario_syntax.h"

namespace simhost::scenario {

const std::vector<CommandSyntax>& syntaxTable() {
  using G = CommandGroup;
  static const std::vector<CommandSyntax> table = {
      {G::Stage, "outlook", "outlook 97|98|2000|2002 [a.b.c.d]",
       "host version and outllib.dll file version (default: Outlook 2000, 9.0.0.2625)"},
      {G::Stage, "editor", "editor rtf|plain|html|word", "the mail editor in the host's options"},
      {G::Stage, "machine", "machine NAME dword N|sz TEXT|delete",
       "a value in the product's machine key"},
      {G::Stage, "user", "user NAME dword N|sz TEXT|delete", "a value in the product's user key"},
      {G::Stage, "reg", "reg HKLM|HKCU KEY NAME dword N|sz TEXT|delete", "any registry value"},
      {G::Stage, "reg", "reg HKLM|HKCU KEY delete-key", "removes a key"},
      {G::Stage, "defaults", "defaults",
       "what the installer leaves: settings, list and colour map"},
      {G::Stage, "file", "file PATH TEXT", "writes a file at a Windows path (TEXT may be <<END)"},
      {G::Stage, "delete-file", "delete-file PATH", "removes a file"},
      {G::Stage, "env", "env NAME VALUE|unset", "the host process's environment"},
      {G::Stage, "module", "module NAME", "a module of that base name is loaded in the host"},
      {G::Stage, "print-styles", "print-styles layout 1|2 STYLE...",
       "writes the host's print style file, one record per style"},
      {G::Stage, "message",
       "message ID [inbox|drafts] subject TEXT body TEXT [header TEXT] [html TEXT] [plain] "
       "[class TEXT] [custom-form N] [unsent]",
       "a message in the store; options after ID in any order"},
      {G::Stage, "clock", "clock +MS", "advances the virtual clock (same as wait)"},

      {G::Action, "start", "start", "the host starts and loads the extension"},
      {G::Action, "stop", "stop", "the host closes every note and unloads the extension"},
      {G::Action, "new-message", "new-message [rtf|plain|html]", "a compose note opens"},
      {G::Action, "new-post", "new-post", "a new post in a folder"},
      {G::Action, "select", "select ID", "selects a message in the main window"},
      {G::Action, "open", "open ID", "opens a message in a read note"},
      {G::Action, "reply", "reply", "a reply to the open note or the selection"},
      {G::Action, "reply-all", "reply-all", "a reply to all"},
      {G::Action, "forward", "forward", "a forward"},
      {G::Action, "next", "next", "the following message in the open read note"},
      {G::Action, "previous", "previous", "the preceding message in the open read note"},
      {G::Action, "delete", "delete", "deletes the message of the open read note"},
      {G::Action, "type", "type TEXT", "types TEXT at the caret of the active body"},
      {G::Action, "set-body", "set-body TEXT", "replaces the whole body"},
      {G::Action, "caret", "caret N", "moves the caret of the active body"},
      {G::Action, "classify", "classify", "the extension's menu command"},
      {G::Action, "send", "send", "sends the active compose note"},
      {G::Action, "close", "close", "closes the active note without saving"},
      {G::Action, "print", "print [toolbar]", "prints the selection or the active note"},
      {G::Action, "options", "options", "Tools, Options: the \"Options\" property sheet"},
      {G::Action, "wait", "wait MS", "advances the virtual clock, firing due timers"},
      {G::Action, "uninstall", "uninstall [initialize|uninitialize]",
       "the uninstaller calls UninstInitialize (default) or UninstUnInitialize"},

      {G::Answer, "answer msgbox", "answer msgbox OK|CANCEL|YES|NO|ABORT|RETRY|IGNORE",
       "the button pressed in the next message box"},
      {G::Answer, "answer dialog", "answer dialog ID STEP; STEP; ...",
       "what the user does in the next dialog from template ID"},
      {G::Answer, "answer sheet", "answer sheet \"CAPTION\" STEP; STEP; ...",
       "the same for the next property sheet with that caption"},
      {G::Answer, "answer font",
       "answer font FACE SIZE [bold] [italic] [underline] [strikeout] [colour 0xBBGGRR]",
       "the choice in the next font dialog"},
      {G::Answer, "answer font", "answer font cancel", "the next font dialog is cancelled"},

      {G::Step, "select", "select \"TEXT\"", "the list item with that text"},
      {G::Step, "double-click", "double-click \"TEXT\"", "double-clicks that list item"},
      {G::Step, "click", "click ID", "clicks a button"},
      {G::Step, "check", "check ID", "checks a check box or radio button"},
      {G::Step, "uncheck", "uncheck ID", "clears a check box"},
      {G::Step, "type", "type ID \"TEXT\"", "replaces the control's text"},
      {G::Step, "pick", "pick ID \"TEXT\"", "the combo box entry"},
      {G::Step, "date", "date ID YYYY-MM-DD", "the date picker"},
      {G::Step, "page", "page N", "a property sheet page, from 0"},
      {G::Step, "apply", "apply", "the property sheet's Apply"},
      {G::Step, "ok", "ok", "the property sheet's OK"},
      {G::Step, "cancel", "cancel", "the property sheet's Cancel"},
      {G::Step, "close", "close", "the close box"},
      {G::Step, "help", "help ID", "F1 on that control"},

      {G::Expectation, "expect msgbox", "expect msgbox \"TITLE\" [\"TEXT\"]",
       "the oldest pending event is that message box"},
      {G::Expectation, "expect dialog",
       "expect dialog ID [selected \"TEXT\"] [items \"A\" \"B\" ...] [checked ID...] "
       "[hidden ID...]",
       "the oldest pending event is dialog ID, showing that state"},
      {G::Expectation, "expect quiet", "expect quiet", "no event is pending"},
      {G::Expectation, "expect body", "expect body TEXT", "the active body equals TEXT"},
      {G::Expectation, "expect body-starts", "expect body-starts TEXT", "... starts with TEXT"},
      {G::Expectation, "expect body-contains", "expect body-contains TEXT", "... contains TEXT"},
      {G::Expectation, "expect format", "expect format FROM TO ATTR...",
       "ATTR: [not-]bold [not-]italic [not-]underline [not-]strikeout colour 0xBBGGRR "
       "height TWIPS face NAME"},
      {G::Expectation, "expect align", "expect align POS left|right|center",
       "the alignment of the paragraph holding POS"},
      {G::Expectation, "expect caret", "expect caret N", "the caret of the active body"},
      {G::Expectation, "expect modified", "expect modified yes|no",
       "the active body's modified flag"},
      {G::Expectation, "expect sent", "expect sent", "the last send let the message go"},
      {G::Expectation, "expect not-sent", "expect not-sent", "the last send stopped it"},
      {G::Expectation, "expect printed", "expect printed", "the last print went ahead"},
      {G::Expectation, "expect not-printed", "expect not-printed", "the last print was stopped"},
      {G::Expectation, "expect uninstall-result", "expect uninstall-result N",
       "the last uninstall returned N"},
      {G::Expectation, "expect user", "expect user NAME dword N|sz TEXT|absent",
       "a value of the product's user key"},
      {G::Expectation, "expect reg", "expect reg HKLM|HKCU KEY NAME dword N|sz TEXT|absent",
       "any registry value"},
      {G::Expectation, "expect file", "expect file PATH TEXT", "the file holds exactly TEXT"},
      {G::Expectation, "expect no-file", "expect no-file PATH", "the file does not exist"},
      {G::Expectation, "expect file-contains", "expect file-contains PATH TEXT",
       "the file contains TEXT"},
      {G::Expectation, "expect print-slot", "expect print-slot STYLE 1|2 left|centre|right TEXT",
       "a header/footer slot of a print style"},
      {G::Expectation, "expect print-font",
       "expect print-font STYLE 1|2 face NAME height N effects N colour R G B",
       "a header/footer font of a print style"},
      {G::Expectation, "expect log-contains", "expect log-contains TEXT",
       "the trace log contains TEXT"},
      {G::Expectation, "expect log-lacks", "expect log-lacks TEXT", "the trace log lacks TEXT"},
      {G::Expectation, "expect toolbar-button",
       "expect toolbar-button enabled|indeterminate|absent",
       "the extension's button on the active note's toolbar"},
      {G::Expectation, "expect menu-item", "expect menu-item \"TEXT\"",
       "the active note's menus have that item"},
      {G::Expectation, "expect no-menu-item", "expect no-menu-item \"TEXT\"", "... do not have it"},

      {G::Show, "show", "show body|events|registry|print-styles",
       "prints that state into the transcript"},
  };
  return table;
}

std::string usageOf(std::string_view name, bool step) {
  std::string usage;
  for (const CommandSyntax& s : syntaxTable()) {
    if ((s.group == CommandGroup::Step) != step || name != s.name) continue;
    if (!usage.empty()) usage += " or ";
    usage += s.usage;
  }
  return usage;
}

}  // namespace simhost::scenario
