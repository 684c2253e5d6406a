// The dialog manager's own view of a dialog, shared by the files that build,
// run and answer dialogs.
#pragma once

#include <memory>
#include <string>

#include "sigplat/dialog_template.h"
#include "sigplat/user_agent.h"
#include "window_internal.h"

namespace sigplat::win {

// How a modal dialog ended. Shared by the dialog window and the modal run,
// which still reads it after the window has gone.
struct DialogOutcome {
  bool ended = false;            // EndDialog has been called
  INT_PTR result = 0;            // the value given to EndDialog
  HWND disabledOwner = nullptr;  // the owner the modal run disabled; enabled again at the end
};

// The state the dialog class keeps beside each dialog window; the dialog
// procedure and the window longs DWLP_* live in the window's extra bytes.
struct DialogState : ControlState {
  std::shared_ptr<DialogOutcome> outcome = std::make_shared<DialogOutcome>();
  int defaultId = 0;  // set by DM_SETDEFID; 0: the first BS_DEFPUSHBUTTON is the default
};

inline constexpr char kDialogClass[] = "#32770";

// The dialog state of a window of the dialog class, or null.
DialogState* DialogStateOf(HWND hwnd);

// The direct child with that control id, or null. No error is set.
HWND FindDialogItem(HWND dialog, int id);

// The first control after none that takes the focus by tabbing: WS_TABSTOP,
// visible and enabled. Null when there is none.
HWND FirstTabStop(HWND dialog);

// Creates the dialog window (hidden) and its controls from the template, the
// dialog procedure installed. Null, after a loud report, when a control
// cannot be created (unless DS_NOFAILCREATE) or the template asks for what
// is not supported.
HWND BuildDialog(const DialogTemplate& dialogTemplate, HINSTANCE module, HWND owner,
                 DLGPROC dialogProc, const char* api);

// What the user finds of a control: empty when it can be used, else why not
// ("the control is hidden", "the control is disabled").
std::string WhyUnusable(HWND dialog, HWND control);

// The readable form of a step, in the scenario language ("click 1063").
std::string DescribeStep(const DialogStep& step);

// Carries out one step as a person would. Returns empty when the step was
// taken, else the reason it could not be.
std::string CarryOutStep(HWND dialog, const DialogStep& step);

// The close box; a dialog without one gets Esc, which ends in the same
// cancel command. Returns the readable step.
std::string PressCloseBox(HWND dialog);

// Enter: the default button's command, or IDOK when there is none. Returns
// the readable step.
std::string PressEnter(HWND dialog);

// Runs the dialog modally: built, initialised, recorded, answered by the
// user agent's steps, ended and destroyed. Returns what EndDialog was given,
// -1 when the dialog could not be built, 0 for an owner that is not a window.
INT_PTR RunModalDialog(const DialogTemplate& dialogTemplate, HINSTANCE module, HWND owner,
                       DLGPROC dialogProc, LPARAM initParam, const char* api);

// The state of each control once the dialog has initialised, in child order.
std::vector<sigplat::ControlState> ControlStates(HWND dialog);

}  // namespace sigplat::win
