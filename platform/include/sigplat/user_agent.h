// The user in front of the simulated machine. Every modal surface (message
// box, dialog) is handed to the user agent the host installed, and recorded in
// the transcript with what the user did.
#pragma once

#include <string>
#include <vector>

#include "win/base.h"

namespace sigplat {

struct MessageBoxRecord {
  HWND owner = nullptr;
  std::string caption;
  std::string text;
  UINT type = 0;        // MB_* flags as passed: buttons, icon, default button
  int answer = 0;       // the button id MessageBoxA returned
  bool answered = false;  // false when nobody answered and the default was taken
};

struct TranscriptEntry {
  enum class Kind { MessageBox };
  Kind kind = Kind::MessageBox;
  MessageBoxRecord messageBox;
};

class UserAgent {
 public:
  virtual ~UserAgent() = default;
  // The button id the user presses, or 0 when the agent has no answer: the
  // box then takes its default button and is recorded as unanswered. An id
  // that is not one of the box's buttons is a fault of the agent: the box
  // reports it on standard error and takes its default button.
  virtual int AnswerMessageBox(const MessageBoxRecord& box) = 0;
};

// The agent stays owned by the caller; nullptr removes it.
WINBASEAPI void SetUserAgent(UserAgent* agent);
WINBASEAPI const std::vector<TranscriptEntry>& Transcript();
WINBASEAPI void ClearTranscript();

// Names for the transcript: "OK", "Cancel", "Abort", ... for a button id;
// "error", "warning", "question", "information" or "" for the icon of MB_*
// flags; the buttons of MB_* flags ("OK", "OK Cancel", "Yes No", ...).
WINBASEAPI std::string ButtonName(int id);
WINBASEAPI std::string IconName(UINT type);
WINBASEAPI std::string ButtonsName(UINT type);

}  // namespace sigplat
