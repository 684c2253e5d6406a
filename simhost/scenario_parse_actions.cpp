// Parsers of the user's actions.
#include "scenario_parsers.h"

namespace simhost::scenario {
namespace {

template <class C>
CommandBody bare(Args&) {
  return C{};
}

CommandBody newMessage(Args& args) {
  NewMessage c;
  if (!args.atEnd())
    c.format = args.choice<NoteFormat>(
        "format",
        {{"rtf", NoteFormat::Rtf}, {"plain", NoteFormat::Plain}, {"html", NoteFormat::Html}});
  return c;
}

CommandBody select(Args& args) { return Select{args.text("message ID")}; }
CommandBody open(Args& args) { return Open{args.text("message ID")}; }
CommandBody reply(Args&) { return Respond{ResponseKind::Reply}; }
CommandBody replyAll(Args&) { return Respond{ResponseKind::ReplyAll}; }
CommandBody forward(Args&) { return Respond{ResponseKind::Forward}; }
CommandBody next(Args&) { return Browse{BrowseKind::Next}; }
CommandBody previous(Args&) { return Browse{BrowseKind::Previous}; }
CommandBody deleteMessage(Args&) { return Browse{BrowseKind::Delete}; }
CommandBody type(Args& args) { return Type{args.text("TEXT")}; }
CommandBody setBody(Args& args) { return SetBody{args.text("TEXT")}; }
CommandBody caret(Args& args) { return Caret{args.u32("position N")}; }
CommandBody print(Args& args) { return Print{args.takeIf("toolbar")}; }
CommandBody wait(Args& args) { return Wait{args.u32("MS")}; }

CommandBody uninstall(Args& args) {
  Uninstall c;
  if (!args.atEnd())
    c.entry = args.choice<UninstEntry>("entry", {{"initialize", UninstEntry::Initialize},
                                                 {"uninitialize", UninstEntry::Uninitialize}});
  return c;
}

}  // namespace

const std::vector<CommandParser>& actionParsers() {
  static const std::vector<CommandParser> parsers = {
      {"start", bare<Start>},
      {"stop", bare<Stop>},
      {"new-message", newMessage},
      {"new-post", bare<NewPost>},
      {"select", select},
      {"open", open},
      {"reply", reply},
      {"reply-all", replyAll},
      {"forward", forward},
      {"next", next},
      {"previous", previous},
      {"delete", deleteMessage},
      {"type", type},
      {"set-body", setBody},
      {"caret", caret},
      {"classify", bare<Classify>},
      {"send", bare<Send>},
      {"close", bare<Close>},
      {"print", print},
      {"options", bare<Options>},
      {"wait", wait},
      {"uninstall", uninstall},
  };
  return parsers;
}

}  // namespace simhost::scenario
