// The user in front of the simulated host: answers the scenario queued, handed
// out in order to the message boxes and dialogs as they appear.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "scenario_commands.h"
#include "sigplat/user_agent.h"

namespace simhost {

class ScriptedUser : public sigplat::UserAgent {
 public:
  void queue(const scenario::AnswerMsgbox& answer);
  void queue(const scenario::AnswerDialog& answer);
  void queue(const scenario::AnswerSheet& answer);
  void queue(const scenario::AnswerFont& answer);

  int AnswerMessageBox(const sigplat::MessageBoxRecord& box) override;
  std::vector<sigplat::DialogStep> DialogSteps(const sigplat::DialogRecord& shown) override;

  // The answers nobody asked for, one readable line each, in the language.
  std::vector<std::string> unused() const;
  void clear();

 private:
  std::deque<scenario::AnswerMsgbox> msgboxes_;
  std::map<std::uint32_t, std::deque<scenario::AnswerDialog>> dialogs_;
  std::deque<scenario::AnswerSheet> sheets_;
  std::deque<scenario::AnswerFont> fonts_;
};

// The platform's form of a step the script wrote.
sigplat::DialogStep toDialogStep(const scenario::Step& step);
int buttonId(scenario::MsgboxButton button);

}  // namespace simhost
