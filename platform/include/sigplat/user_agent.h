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

// What the user does in a dialog, in the scenario language's terms.
struct DialogStep {
  enum class Kind {
    Select,       // the list item with that text
    DoubleClick,  // the list item with that text
    Click,        // a button, by id
    Check,        // a check box or radio button, by id
    Uncheck,
    Type,         // replaces an edit control's text
    Pick,         // the combo box entry with that text
    Date,         // the date picker's date
    Page,         // a property sheet page, from 0
    Apply,        // property sheet buttons
    Ok,
    Cancel,
    Close,        // the close box
    Help,         // F1 on a control
  };
  Kind kind = Kind::Click;
  int control = 0;
  std::string text;
  int year = 0, month = 0, day = 0;
  int page = 0;
};

// A control as the user saw it once the dialog had initialised.
struct ControlState {
  int id = 0;
  std::string windowClass;
  std::string text;
  DWORD style = 0;
  bool visible = true;
  bool enabled = true;
  int checked = 0;                  // BST_* for buttons
  std::vector<std::string> items;   // list and combo boxes, in order
  int selected = -1;                // the selected item's index, -1 for none
  int icon = 0;                     // an SS_ICON static's icon resource id, 0 for none
};

struct DialogRecord {
  HWND owner = nullptr;
  int templateId = 0;
  std::string caption;
  std::vector<ControlState> controls;  // after WM_INITDIALOG, in template order
  std::vector<std::string> steps;      // what the user did, one readable line each; a step
                                       // the user could not take says so
  std::vector<std::string> errors;     // impossible steps, a dialog left open by its steps
  INT_PTR result = 0;                  // what DialogBoxParamA returned
  bool answered = false;               // false when nobody answered: close box, then the
                                       // default button
};

struct TranscriptEntry {
  enum class Kind { MessageBox, Dialog };
  Kind kind = Kind::MessageBox;
  MessageBoxRecord messageBox;
  DialogRecord dialog;
};

class UserAgent {
 public:
  virtual ~UserAgent() = default;
  // The button id the user presses, or 0 when the agent has no answer: the
  // box then takes its default button and is recorded as unanswered. An id
  // that is not one of the box's buttons is a fault of the agent: the box
  // reports it on standard error and takes its default button.
  virtual int AnswerMessageBox(const MessageBoxRecord& box) = 0;
  // The steps the user takes in a dialog that has just initialised; empty when
  // the agent has none (the dialog is then closed with its close box, and if
  // it stays open, with its default button). A dialog its steps leave open is
  // ended by the platform and the record says so.
  virtual std::vector<DialogStep> DialogSteps(const DialogRecord& shown) {
    (void)shown;
    return {};
  }
};

// The agent stays owned by the caller; nullptr removes it.
SIGPLAT_API void SetUserAgent(UserAgent* agent);
SIGPLAT_API const std::vector<TranscriptEntry>& Transcript();
SIGPLAT_API void ClearTranscript();

// Names for the transcript: "OK", "Cancel", "Abort", ... for a button id;
// "error", "warning", "question", "information" or "" for the icon of MB_*
// flags; the buttons of MB_* flags ("OK", "OK Cancel", "Yes No", ...).
SIGPLAT_API std::string ButtonName(int id);
SIGPLAT_API std::string IconName(UINT type);
SIGPLAT_API std::string ButtonsName(UINT type);

}  // namespace sigplat
