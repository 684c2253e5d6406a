// MessageBoxA: the user agent answers, and every box is recorded.
#include <cstdio>
#include <string>
#include <vector>

#include "unsupported.h"
#include "user_agent_internal.h"
#include "window_internal.h"

namespace sigplat {

bool MessageBoxButtons(UINT type, std::vector<int>* buttons) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      *buttons = {IDOK};
      return true;
    case MB_OKCANCEL:
      *buttons = {IDOK, IDCANCEL};
      return true;
    case MB_ABORTRETRYIGNORE:
      *buttons = {IDABORT, IDRETRY, IDIGNORE};
      return true;
    case MB_YESNOCANCEL:
      *buttons = {IDYES, IDNO, IDCANCEL};
      return true;
    case MB_YESNO:
      *buttons = {IDYES, IDNO};
      return true;
    case MB_RETRYCANCEL:
      *buttons = {IDRETRY, IDCANCEL};
      return true;
    case MB_CANCELTRYCONTINUE:
      *buttons = {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
      return true;
    default:
      return false;
  }
}

namespace {

bool IsKnownIcon(UINT type) {
  switch (type & MB_ICONMASK) {
    case 0:
    case MB_ICONHAND:
    case MB_ICONQUESTION:
    case MB_ICONEXCLAMATION:
    case MB_ICONASTERISK:
      return true;
    default:
      return false;
  }
}

// MB_DEFBUTTONn names the nth button; past the last one, Windows takes the first.
int DefaultButton(UINT type, const std::vector<int>& buttons) {
  size_t index = (type & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

bool IsOneOf(int id, const std::vector<int>& buttons) {
  for (int b : buttons) {
    if (b == id) return true;
  }
  return false;
}

}  // namespace

}  // namespace sigplat

// The owner is not disabled while the box is up: nothing but the agent can
// act while it waits, so there is nothing to keep out.
WINBASEAPI int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  const char* api = "MessageBoxA";
  if (!sigplat::win::OnWindowThread(api)) return 0;
  if (hWnd && !sigplat::win::FindWindowRecord(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  std::vector<int> buttons;
  if (!sigplat::MessageBoxButtons(uType, &buttons)) {
    sigplat::ReportFailure(api, "no button set " + std::to_string(uType & MB_TYPEMASK),
                           ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  if (uType & MB_HELP) {
    sigplat::ReportFailure(api, "the Help button is not supported", ERROR_NOT_SUPPORTED);
    return 0;
  }
  if (!sigplat::IsKnownIcon(uType)) {
    sigplat::ReportFailure(api, "icon " + sigplat::IconName(uType) + " is not supported",
                           ERROR_NOT_SUPPORTED);
    return 0;
  }

  sigplat::MessageBoxRecord box;
  box.owner = hWnd;
  box.caption = lpCaption ? lpCaption : "Error";
  box.text = lpText ? lpText : "";
  box.type = uType;
  int fallback = sigplat::DefaultButton(uType, buttons);
  sigplat::UserAgent* agent = sigplat::CurrentUserAgent();
  int answer = agent ? agent->AnswerMessageBox(box) : 0;
  if (answer != 0 && !sigplat::IsOneOf(answer, buttons)) {
    std::fprintf(stderr,
                 "sigilon platform: MessageBoxA: the user agent answered %d, which is not a "
                 "button of \"%s\" (%s); taking the default button %s\n",
                 answer, box.caption.c_str(), sigplat::ButtonsName(uType).c_str(),
                 sigplat::ButtonName(fallback).c_str());
    answer = 0;
  }
  box.answered = answer != 0;
  box.answer = box.answered ? answer : fallback;

  sigplat::TranscriptEntry entry;
  entry.kind = sigplat::TranscriptEntry::Kind::MessageBox;
  entry.messageBox = box;
  sigplat::AppendToTranscript(entry);
  return box.answer;
}
