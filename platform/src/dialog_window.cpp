// The dialog class: every message goes first to the dialog procedure, and
// what it leaves unhandled gets the dialog manager's default behaviour, as
// DefDlgProc gives it on Windows. EndDialog marks a modal dialog as ended.
#include "control_support.h"
#include "dialog_internal.h"
#include "unsupported.h"

namespace sigplat::win {

namespace {

constexpr int kDialogExtraBytes = DWLP_USER + static_cast<int>(sizeof(LONG_PTR));

// The close box: the cancel command, unless a Cancel button exists and is disabled.
LRESULT OnClose(HWND dialog) {
  HWND cancel = FindDialogItem(dialog, IDCANCEL);
  if (!cancel || IsWindowEnabled(cancel)) {
    DeliverMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(cancel));
  }
  return 0;
}

HWND FirstDefaultPushButton(HWND dialog) {
  Window* w = FindWindowRecord(dialog);
  if (!w) return nullptr;
  for (HWND child : w->children) {
    if (HasClass(child, "Button") && (StyleOf(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      return child;
    }
  }
  return nullptr;
}

LRESULT OnGetDefId(HWND dialog, const DialogState& state) {
  if (state.outcome->ended) return 0;
  if (state.defaultId) return MAKELONG(state.defaultId, DC_HASDEFID);
  HWND button = FirstDefaultPushButton(dialog);
  if (!button) return 0;
  return MAKELONG(static_cast<WORD>(FindWindowRecord(button)->id), DC_HASDEFID);
}

// Messages whose result is the dialog procedure's own return value rather
// than DWLP_MSGRESULT.
bool ReturnsProcedureResult(UINT msg) { return msg == WM_INITDIALOG; }

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    AttachControlState<DialogState>(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
  auto dialogProc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC));
  INT_PTR result = dialogProc ? dialogProc(hwnd, msg, wParam, lParam) : 0;
  DialogState* state = DialogStateOf(hwnd);
  if (!result && state) {
    switch (msg) {
      case WM_CLOSE:
        return OnClose(hwnd);
      case DM_GETDEFID:
        return OnGetDefId(hwnd, *state);
      case DM_SETDEFID:
        state->defaultId = static_cast<int>(wParam);
        return TRUE;
      case WM_INITDIALOG:
        break;
      default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
  }
  if (ReturnsProcedureResult(msg) || !state) return result;
  return GetWindowLongPtrA(hwnd, DWLP_MSGRESULT);
}

[[maybe_unused]] const ATOM kDialogClassAtom =
    RegisterSystemClass(kDialogClass, DialogWindowProc, kDialogExtraBytes, CS_GLOBALCLASS);

}  // namespace

DialogState* DialogStateOf(HWND hwnd) { return ControlStateOf<DialogState>(hwnd); }

HWND FindDialogItem(HWND dialog, int id) {
  Window* w = FindWindowRecord(dialog);
  if (!w) return nullptr;
  for (HWND child : w->children) {
    Window* c = FindWindowRecord(child);
    if (c && static_cast<int>(c->id) == id) return child;
  }
  return nullptr;
}

HWND FirstTabStop(HWND dialog) {
  Window* w = FindWindowRecord(dialog);
  if (!w) return nullptr;
  for (HWND child : w->children) {
    DWORD style = StyleOf(child);
    if ((style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) {
      return child;
    }
  }
  return nullptr;
}

}  // namespace sigplat::win

// The dialog is hidden at once, without messages, and its owner enabled
// again; the modal run destroys it once control returns to it.
WINBASEAPI BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  const char* api = "EndDialog";
  sigplat::win::Window* w = sigplat::win::WindowForCall(hDlg, api);
  if (!w) return FALSE;
  sigplat::win::DialogState* state = sigplat::win::DialogStateOf(hDlg);
  if (!state) {
    sigplat::ReportFailure(api, "the window is not a dialog", ERROR_WINDOW_NOT_DIALOG);
    return FALSE;
  }
  std::shared_ptr<sigplat::win::DialogOutcome> outcome = state->outcome;
  outcome->ended = true;
  outcome->result = nResult;
  HWND owner = outcome->disabledOwner;
  outcome->disabledOwner = nullptr;
  if (owner && IsWindow(owner)) EnableWindow(owner, TRUE);
  if ((w = sigplat::win::FindWindowRecord(hDlg))) {
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    HWND focus = GetFocus();
    if (focus && sigplat::win::IsSelfOrDescendant(hDlg, focus)) SetFocus(nullptr);
  }
  return TRUE;
}
