#include "scripted_user.h"

#include "scenario_format.h"
#include "winapi.h"

namespace simhost {

int buttonId(scenario::MsgboxButton button) {
  using B = scenario::MsgboxButton;
  switch (button) {
    case B::Ok: return IDOK;
    case B::Cancel: return IDCANCEL;
    case B::Yes: return IDYES;
    case B::No: return IDNO;
    case B::Abort: return IDABORT;
    case B::Retry: return IDRETRY;
    case B::Ignore: return IDIGNORE;
  }
  return IDOK;
}

sigplat::DialogStep toDialogStep(const scenario::Step& step) {
  using S = scenario::Step::Kind;
  using D = sigplat::DialogStep::Kind;
  sigplat::DialogStep out;
  switch (step.kind) {
    case S::Select: out.kind = D::Select; break;
    case S::DoubleClick: out.kind = D::DoubleClick; break;
    case S::Click: out.kind = D::Click; break;
    case S::Check: out.kind = D::Check; break;
    case S::Uncheck: out.kind = D::Uncheck; break;
    case S::Type: out.kind = D::Type; break;
    case S::Pick: out.kind = D::Pick; break;
    case S::Date: out.kind = D::Date; break;
    case S::Page: out.kind = D::Page; break;
    case S::Apply: out.kind = D::Apply; break;
    case S::Ok: out.kind = D::Ok; break;
    case S::Cancel: out.kind = D::Cancel; break;
    case S::Close: out.kind = D::Close; break;
    case S::Help: out.kind = D::Help; break;
  }
  out.control = static_cast<int>(step.control);
  out.text = step.text;
  out.year = step.date.year;
  out.month = step.date.month;
  out.day = step.date.day;
  out.page = static_cast<int>(step.page);
  return out;
}

void ScriptedUser::queue(const scenario::AnswerMsgbox& answer) { msgboxes_.push_back(answer); }

void ScriptedUser::queue(const scenario::AnswerDialog& answer) {
  dialogs_[answer.templateId].push_back(answer);
}

void ScriptedUser::queue(const scenario::AnswerSheet& answer) { sheets_.push_back(answer); }

void ScriptedUser::queue(const scenario::AnswerFont& answer) { fonts_.push_back(answer); }

int ScriptedUser::AnswerMessageBox(const sigplat::MessageBoxRecord&) {
  if (msgboxes_.empty()) return 0;
  const int id = buttonId(msgboxes_.front().button);
  msgboxes_.pop_front();
  return id;
}

std::vector<sigplat::DialogStep> ScriptedUser::DialogSteps(const sigplat::DialogRecord& shown) {
  if (shown.templateId < 0) return {};
  auto it = dialogs_.find(static_cast<std::uint32_t>(shown.templateId));
  if (it == dialogs_.end() || it->second.empty()) return {};
  std::vector<sigplat::DialogStep> steps;
  for (const scenario::Step& step : it->second.front().steps) steps.push_back(toDialogStep(step));
  it->second.pop_front();
  return steps;
}

std::vector<std::string> ScriptedUser::unused() const {
  std::vector<std::string> lines;
  for (const auto& a : msgboxes_) lines.push_back(scenario::formatCommand(a));
  for (const auto& [id, queue] : dialogs_)
    for (const auto& a : queue) lines.push_back(scenario::formatCommand(a));
  for (const auto& a : sheets_) lines.push_back(scenario::formatCommand(a));
  for (const auto& a : fonts_) lines.push_back(scenario::formatCommand(a));
  return lines;
}

void ScriptedUser::clear() {
  msgboxes_.clear();
  dialogs_.clear();
  sheets_.clear();
  fonts_.clear();
}

}  // namespace simhost
