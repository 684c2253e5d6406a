// Modal dialogs without a message loop: the dialog is built and initialised,
// recorded in the transcript, and then the user agent's steps are carried out
// one by one until the dialog ends. A dialog the user leaves open is closed
// as a person would have to: the close box, then the default button.
#include <memory>
#include <string>
#include <vector>

#include "case_fold.h"
#include "dialog_internal.h"
#include "unsupported.h"
#include "user_agent_internal.h"

namespace sigplat::win {

namespace {

// Hands the focus to the first tab stop, selecting all of an edit
// control's text, as the dialog manager does when WM_INITDIALOG returns TRUE.
void FocusFirstTabStop(HWND dialog) {
  HWND first = FirstTabStop(dialog);
  if (!first) return;
  Window* w = FindWindowRecord(first);
  const std::string& name = w->windowClass->name;
  if (EqualsIgnoringCase(name, "Edit") || StartsWithIgnoringCase(name, "RichEdit")) {
    SendMessageA(first, EM_SETSEL, 0, -1);
  }
  SetFocus(first);
}

class ModalRun {
 public:
  ModalRun(HWND dialog, std::shared_ptr<DialogOutcome> outcome, DialogRecord* record)
      : dialog_(dialog), outcome_(std::move(outcome)), record_(record) {}

  bool Open() const { return !outcome_->ended && IsWindow(dialog_); }

  void Take(const std::vector<DialogStep>& steps) {
    for (const DialogStep& step : steps) {
      std::string line = DescribeStep(step);
      std::string why = Open() ? CarryOutStep(dialog_, step) : "the dialog had already ended";
      if (why.empty()) {
        record_->steps.push_back(line);
      } else {
        record_->steps.push_back(line + " (not taken: " + why + ")");
        record_->errors.push_back(line + ": " + why);
      }
    }
  }

  // The close box, then the default button; a dialog that survives both is
  // destroyed and answers IDCANCEL.
  void EndAsPersonWould() {
    if (Open()) record_->steps.push_back(PressCloseBox(dialog_));
    if (Open()) record_->steps.push_back(PressEnter(dialog_));
    if (Open()) {
      record_->errors.push_back(
          "the dialog stayed open after its close box and default button; the platform "
          "destroyed it");
      outcome_->ended = true;
      outcome_->result = IDCANCEL;
    }
  }

 private:
  HWND dialog_;
  std::shared_ptr<DialogOutcome> outcome_;
  DialogRecord* record_;
};

}  // namespace

INT_PTR RunModalDialog(const DialogTemplate& t, HINSTANCE module, HWND owner, DLGPROC dialogProc,
                       LPARAM initParam, const char* api) {
  if (!OnWindowThread(api)) return -1;
  if (owner && !FindWindowRecord(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  HWND previousFocus = GetFocus();
  HWND dialog = BuildDialog(t, module, owner, dialogProc, api);
  if (!dialog) return -1;
  std::shared_ptr<DialogOutcome> outcome = DialogStateOf(dialog)->outcome;
  // The owner takes no input while the dialog is up.
  HWND root = GetWindow(dialog, GW_OWNER);
  if (root && IsWindowEnabled(root)) {
    EnableWindow(root, FALSE);
    outcome->disabledOwner = root;
  }

  HWND focus = FirstTabStop(dialog);
  if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), initParam) &&
      IsWindow(dialog) && !outcome->ended) {
    FocusFirstTabStop(dialog);
  }
  if (IsWindow(dialog) && !outcome->ended) ShowWindow(dialog, SW_SHOWNORMAL);

  DialogRecord record;
  record.owner = owner;
  record.templateId = t.id;
  if (IsWindow(dialog)) {
    char caption[512];
    GetWindowTextA(dialog, caption, sizeof caption);
    record.caption = caption;
    record.controls = ControlStates(dialog);
  } else {
    record.caption = t.caption;
  }
  TranscriptEntry entry;
  entry.kind = TranscriptEntry::Kind::Dialog;
  entry.dialog = record;
  TranscriptPlace place = AppendToTranscriptAt(entry);

  ModalRun run(dialog, outcome, &record);
  if (run.Open()) {
    UserAgent* agent = CurrentUserAgent();
    std::vector<DialogStep> steps = agent ? agent->DialogSteps(record) : std::vector<DialogStep>();
    record.answered = !steps.empty();
    run.Take(steps);
    if (record.answered && run.Open()) record.errors.push_back("dialog left open after its steps");
    run.EndAsPersonWould();
  }
  // A dialog its own procedure destroyed without EndDialog answers 0.
  record.result = outcome->ended ? outcome->result : 0;

  if (outcome->disabledOwner && IsWindow(outcome->disabledOwner)) {
    EnableWindow(outcome->disabledOwner, TRUE);
  }
  outcome->disabledOwner = nullptr;
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (!GetFocus() && previousFocus && IsWindow(previousFocus)) SetFocus(previousFocus);

  if (TranscriptEntry* recorded = TranscriptEntryAt(place)) recorded->dialog = record;
  return record.result;
}

}  // namespace sigplat::win

namespace sigplat {

SIGPLAT_API INT_PTR RunDialogTemplate(const DialogTemplate& dialogTemplate, HINSTANCE module,
                                     HWND owner, DLGPROC dialogProc, LPARAM initParam) {
  return win::RunModalDialog(dialogTemplate, module, owner, dialogProc, initParam,
                             "RunDialogTemplate");
}

}  // namespace sigplat
