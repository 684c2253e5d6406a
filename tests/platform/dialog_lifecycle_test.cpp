// A modal dialog's life: built from its template in dialog units, initialised
// with its parameter, focus on the first tab stop, recorded, ended with
// EndDialog's value and destroyed; the dialog manager's default behaviour.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_test_support.h"

namespace wintest {
namespace {

using Dialogs = WindowTest;

// What the procedure saw, and what it does with WM_INITDIALOG and commands.
struct Seen {
  HWND dialog = nullptr;
  LPARAM initParam = 0;
  int initFocusId = 0;
  std::vector<UINT> messages;
  std::vector<std::pair<int, int>> commands;
  RECT rect{};
  RECT editRect{};
  INT_PTR initReturn = TRUE;
  bool endInInit = false;
  bool endOnCommand = true;  // IDOK and IDCANCEL end the dialog with their id
  LRESULT defIdAtInit = 0;
  HWND ownerAtInit = nullptr;
  bool ownerEnabledAtInit = true;
};
Seen* g_seen = nullptr;

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  Seen& seen = *g_seen;
  seen.messages.push_back(msg);
  switch (msg) {
    case WM_INITDIALOG:
      seen.dialog = dialog;
      seen.initParam = lParam;
      seen.initFocusId = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
      GetWindowRect(dialog, &seen.rect);
      if (HWND edit = GetDlgItem(dialog, 1001)) GetWindowRect(edit, &seen.editRect);
      seen.defIdAtInit = SendMessageA(dialog, DM_GETDEFID, 0, 0);
      seen.ownerAtInit = GetWindow(dialog, GW_OWNER);
      if (seen.ownerAtInit) seen.ownerEnabledAtInit = IsWindowEnabled(seen.ownerAtInit);
      SetDlgItemTextA(dialog, 1001, "from init");
      CheckRadioButton(dialog, 1010, 1012, 1011);
      if (seen.endInInit) EndDialog(dialog, 77);
      return seen.initReturn;
    case WM_COMMAND:
      // The buttons' commands; the edit's notifications are another test's.
      if (LOWORD(wParam) != 1001) seen.commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
      if (seen.endOnCommand && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

sigplat::DialogTemplate Sample() {
  auto edit = Control("EDIT", 1001, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, "start");
  edit.x = 10, edit.y = 20, edit.cx = 100, edit.cy = 12;
  return Template(500, {Control("STATIC", -1, SS_LEFT, "Label"), edit,
                        Control("BUTTON", 1010, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "A"),
                        Control("BUTTON", 1011, BS_AUTORADIOBUTTON, "B"),
                        Control("BUTTON", 1012, BS_AUTORADIOBUTTON, "C"),
                        Control("BUTTON", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, "OK"),
                        Control("BUTTON", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, "Cancel")});
}

class DialogRun : public Dialogs {
 protected:
  void SetUp() override {
    Dialogs::SetUp();
    g_seen = &seen;
    sigplat::SetUserAgent(&agent);
  }
  void TearDown() override {
    g_seen = nullptr;
    Dialogs::TearDown();
  }
  INT_PTR Run(const sigplat::DialogTemplate& t, HWND owner = nullptr, LPARAM param = 0) {
    return sigplat::RunDialogTemplate(t, kInstance, owner, RecordingProc, param);
  }
  const sigplat::DialogRecord& Record(size_t i = 0) {
    static const sigplat::DialogRecord none;
    const auto& t = sigplat::Transcript();
    EXPECT_GT(t.size(), i);
    if (t.size() <= i) return none;
    EXPECT_EQ(t[i].kind, sigplat::TranscriptEntry::Kind::Dialog);
    return t[i].dialog;
  }
  Seen seen;
  DialogAgent agent;
};

TEST_F(DialogRun, InitialisesWithItsParameterAndReturnsTheEndDialogValue) {
  HWND owner = Top("note");
  agent.scripts.push_back({MakeStep(StepKind::Click, IDOK)});
  EXPECT_EQ(Run(Sample(), owner, 0x1234), IDOK);
  EXPECT_EQ(seen.initParam, 0x1234);
  EXPECT_FALSE(IsWindow(seen.dialog));  // destroyed once ended
  EXPECT_EQ(seen.messages.front(),
            static_cast<UINT>(WM_INITDIALOG));  // no WM_CREATE for the procedure
  // The owner is disabled while the dialog is up, and enabled again after.
  EXPECT_EQ(seen.ownerAtInit, owner);
  EXPECT_FALSE(seen.ownerEnabledAtInit);
  EXPECT_TRUE(IsWindowEnabled(owner));
  const sigplat::DialogRecord& r = Record();
  EXPECT_EQ(r.templateId, 500);
  EXPECT_EQ(r.owner, owner);
  EXPECT_EQ(r.caption, "Dialog 500");
  EXPECT_TRUE(r.answered);
  EXPECT_EQ(r.result, IDOK);
  EXPECT_EQ(r.steps, (std::vector<std::string>{"click 1"}));
  EXPECT_TRUE(r.errors.empty());
}

TEST_F(DialogRun, DialogUnitsBecomePixelsWithTheTemplateFontsBaseUnits) {
  HWND owner = Top("note");  // at 10, 20
  struct Case {
    const char* face;
    int points;
    DWORD fontStyle;
    RECT dialog;  // screen rectangle
    RECT edit;
  } cases[] = {
      // 6 x 13: x * 6 / 4, y * 13 / 8, rounded
      {"MS Sans Serif", 8, DS_SETFONT, {25, 53, 325, 216}, {40, 86, 190, 106}},
      // the system font, 8 x 16
      {"", 0, 0, {30, 60, 430, 260}, {50, 100, 250, 124}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.face);
    sigplat::DialogTemplate t = Sample();
    t.fontFace = c.face;
    t.fontPointSize = c.points;
    t.style = (t.style & ~static_cast<DWORD>(DS_SETFONT)) | c.fontStyle;
    Run(t, owner);
    EXPECT_EQ(seen.rect.left, c.dialog.left);
    EXPECT_EQ(seen.rect.top, c.dialog.top);
    EXPECT_EQ(seen.rect.right, c.dialog.right);
    EXPECT_EQ(seen.rect.bottom, c.dialog.bottom);
    EXPECT_EQ(seen.editRect.left, c.edit.left);
    EXPECT_EQ(seen.editRect.top, c.edit.top);
    EXPECT_EQ(seen.editRect.right, c.edit.right);
    EXPECT_EQ(seen.editRect.bottom, c.edit.bottom);
  }
  // DS_CENTER centres on the 1024 x 768 screen.
  sigplat::DialogTemplate centred = Sample();
  centred.style |= DS_CENTER;
  Run(centred);
  EXPECT_EQ(seen.rect.left, (1024 - 300) / 2);
  EXPECT_EQ(seen.rect.top, (768 - 163) / 2);
}

TEST_F(DialogRun, FocusGoesToTheFirstTabStopWhenInitReturnsTrue) {
  // Captured when the agent is asked, i.e. after WM_INITDIALOG.
  struct FocusAgent : DialogAgent {
    std::vector<Step> DialogSteps(const sigplat::DialogRecord& shown) override {
      focus = GetFocus();
      focusId = focus ? GetDlgCtrlID(focus) : 0;
      HWND edit = GetFocus();
      DWORD start = 0, end = 0;
      if (edit)
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
      selection = {start, end};
      return DialogAgent::DialogSteps(shown);
    }
    HWND focus = nullptr;
    int focusId = 0;
    std::pair<DWORD, DWORD> selection;
  } focusAgent;
  sigplat::SetUserAgent(&focusAgent);
  Run(Sample());
  EXPECT_EQ(seen.initFocusId, 1001);
  EXPECT_EQ(focusAgent.focusId, 1001);
  EXPECT_EQ(focusAgent.selection, (std::pair<DWORD, DWORD>{0, 9}));  // "from init", all selected

  seen = Seen{};
  seen.initReturn = FALSE;
  HWND owner = Top("note");
  SetFocus(owner);
  Run(Sample(), owner);
  EXPECT_EQ(focusAgent.focus, nullptr);  // the disabled owner lost it; nobody took it
  EXPECT_EQ(GetFocus(), owner);          // given back when the dialog has gone
}

TEST_F(DialogRun, TheDefaultButtonIsTheFirstDefPushButton) {
  Run(Sample());
  EXPECT_EQ(seen.defIdAtInit, MAKELONG(IDOK, DC_HASDEFID));

  sigplat::DialogTemplate noDefault = Sample();
  noDefault.controls[5].style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
  seen = Seen{};
  Run(noDefault);
  EXPECT_EQ(seen.defIdAtInit, 0);
}

TEST_F(DialogRun, EndDialogDuringInitEndsItBeforeAnyStep) {
  seen.endInInit = true;
  agent.scripts.push_back({MakeStep(StepKind::Click, IDCANCEL)});
  EXPECT_EQ(Run(Sample()), 77);
  EXPECT_TRUE(agent.seen.empty());  // the user never saw it
  ASSERT_EQ(agent.scripts.size(), 1u);
  const sigplat::DialogRecord& r = Record();
  EXPECT_EQ(r.result, 77);
  EXPECT_FALSE(r.answered);
  EXPECT_TRUE(r.steps.empty());
  EXPECT_TRUE(r.errors.empty());
  EXPECT_FALSE(IsWindow(seen.dialog));
}

TEST_F(DialogRun, WithoutAnswerTheCloseBoxThenTheDefaultButton) {
  struct Case {
    const char* name;
    bool withAgent;
    bool endOnCommand;
    bool cancelDisabled;
    INT_PTR result;
    std::vector<std::string> steps;
    CommandList commands;
    size_t errors;
  } cases[] = {
      {"no agent", false, true, false, IDCANCEL, {"close"}, {{IDCANCEL, BN_CLICKED}}, 0},
      {"silent agent", true, true, false, IDCANCEL, {"close"}, {{IDCANCEL, BN_CLICKED}}, 0},
      // A disabled Cancel button makes the close box do nothing: Enter then.
      {"cancel disabled",
       true,
       true,
       true,
       IDOK,
       {"close", "enter (default button 1)"},
       {{IDOK, BN_CLICKED}},
       0},
      {"procedure ignores both",
       true,
       false,
       false,
       IDCANCEL,
       {"close", "enter (default button 1)"},
       {{IDCANCEL, BN_CLICKED}, {IDOK, BN_CLICKED}},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    seen = Seen{};
    seen.endOnCommand = c.endOnCommand;
    sigplat::ClearTranscript();
    sigplat::SetUserAgent(c.withAgent ? &agent : nullptr);
    sigplat::DialogTemplate t = Sample();
    if (c.cancelDisabled) t.controls[6].style |= WS_DISABLED;
    EXPECT_EQ(Run(t), c.result);
    EXPECT_EQ(seen.commands, c.commands);
    const sigplat::DialogRecord& r = Record();
    EXPECT_FALSE(r.answered);
    EXPECT_EQ(r.steps, c.steps);
    EXPECT_EQ(r.errors.size(), c.errors);
    EXPECT_FALSE(IsWindow(seen.dialog));
  }
}

TEST_F(DialogRun, ADialogWithoutCloseBoxIsCancelledWithEsc) {
  sigplat::DialogTemplate t = Sample();
  t.style &= ~static_cast<DWORD>(WS_SYSMENU);
  EXPECT_EQ(Run(t), IDCANCEL);
  EXPECT_EQ(seen.commands, (CommandList{{IDCANCEL, BN_CLICKED}}));
  EXPECT_EQ(std::count(seen.messages.begin(), seen.messages.end(), WM_CLOSE), 0);
  EXPECT_EQ(Record().steps, (std::vector<std::string>{"close (Esc: the dialog has no close box)"}));
}

TEST_F(DialogRun, TheRecordHoldsEachControlAsInitialised) {
  sigplat::DialogTemplate t = Sample();
  t.controls.push_back(Control("LISTBOX", 1020, LBS_NOTIFY | WS_TABSTOP));
  t.controls.push_back(Control("COMBOBOX", 1021, CBS_DROPDOWNLIST | WS_DISABLED));
  t.controls.push_back(Control("STATIC", 1022, SS_ICON, "#118"));
  t.controls.back().style &= ~static_cast<DWORD>(WS_VISIBLE);
  struct Filler {
    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
      if (msg == WM_INITDIALOG) {
        for (const char* s : {"Secret", "Confidential"}) {
          SendDlgItemMessageA(dialog, 1020, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
          SendDlgItemMessageA(dialog, 1021, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        SendDlgItemMessageA(dialog, 1020, LB_SETCURSEL, 1, 0);
        SendDlgItemMessageA(dialog, 1021, CB_SETCURSEL, 0, 0);
      }
      return RecordingProc(dialog, msg, wParam, lParam);
    }
  };
  sigplat::RunDialogTemplate(t, kInstance, nullptr, Filler::Proc, 0);
  const std::vector<sigplat::ControlState>& controls = Record().controls;
  ASSERT_EQ(controls.size(), 10u);
  struct Expected {
    int id;
    const char* windowClass;
    const char* text;
    bool visible, enabled;
    int checked;
    std::vector<std::string> items;
    int selected;
    int icon;
  } expected[] = {
      {-1, "Static", "Label", true, true, 0, {}, -1, 0},
      {1001, "Edit", "from init", true, true, 0, {}, -1, 0},
      {1010, "Button", "A", true, true, 0, {}, -1, 0},
      {1011, "Button", "B", true, true, 1, {}, -1, 0},
      {1012, "Button", "C", true, true, 0, {}, -1, 0},
      {IDOK, "Button", "OK", true, true, 0, {}, -1, 0},
      {IDCANCEL, "Button", "Cancel", true, true, 0, {}, -1, 0},
      {1020, "ListBox", "", true, true, 0, {"Secret", "Confidential"}, 1, 0},
      {1021, "ComboBox", "Secret", true, false, 0, {"Secret", "Confidential"}, 0, 0},
      {1022, "Static", "#118", false, true, 0, {}, -1, 118},
  };
  for (size_t i = 0; i < controls.size(); ++i) {
    const sigplat::ControlState& c = controls[i];
    const Expected& e = expected[i];
    SCOPED_TRACE(e.id);
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.windowClass, e.windowClass);
    EXPECT_EQ(c.text, e.text);
    EXPECT_EQ(c.visible, e.visible);
    EXPECT_EQ(c.enabled, e.enabled);
    EXPECT_EQ(c.checked, e.checked);
    EXPECT_EQ(c.items, e.items);
    EXPECT_EQ(c.selected, e.selected);
    EXPECT_EQ(c.icon, e.icon);
  }
  EXPECT_EQ(controls[2].style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
  // The agent saw the same state.
  ASSERT_EQ(agent.seen.size(), 1u);
  EXPECT_EQ(agent.seen[0].controls.size(), 10u);
}

TEST_F(DialogRun, AControlThatCannotBeCreatedFailsTheDialog) {
  sigplat::DialogTemplate t = Sample();
  t.controls.push_back(Control("NoSuchControlClass", 1030, 0));
  EXPECT_EQ(Run(t), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  EXPECT_TRUE(sigplat::Transcript().empty());
  EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr);
  t.style |= DS_NOFAILCREATE;  // left out instead
  agent.scripts.push_back({MakeStep(StepKind::Click, IDOK)});
  EXPECT_EQ(Run(t), IDOK);
  EXPECT_EQ(Record().controls.size(), 7u);
}

TEST_F(DialogRun, DialogItemFunctions) {
  struct Probe {
    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM, LPARAM) {
      if (msg != WM_INITDIALOG) return FALSE;
      HWND edit = GetDlgItem(dialog, 1001);
      EXPECT_NE(edit, nullptr);
      EXPECT_EQ(GetDlgCtrlID(edit), 1001);
      SetLastError(0);
      EXPECT_EQ(GetDlgItem(dialog, 4242), nullptr);
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
      EXPECT_TRUE(SetDlgItemTextA(dialog, 1001, "Top Secret"));
      char text[5] = "xxxx";
      EXPECT_EQ(GetDlgItemTextA(dialog, 1001, text, sizeof text), 4u);
      EXPECT_STREQ(text, "Top ");
      EXPECT_EQ(GetDlgItemTextA(dialog, 4242, text, sizeof text), 0u);
      EXPECT_STREQ(text, "");
      EXPECT_TRUE(CheckDlgButton(dialog, 1010, BST_CHECKED));
      EXPECT_EQ(IsDlgButtonChecked(dialog, 1010), static_cast<UINT>(BST_CHECKED));
      EXPECT_FALSE(CheckDlgButton(dialog, 4242, BST_CHECKED));
      EXPECT_TRUE(CheckRadioButton(dialog, 1010, 1012, 1012));
      EXPECT_EQ(IsDlgButtonChecked(dialog, 1010), 0u);
      EXPECT_EQ(IsDlgButtonChecked(dialog, 1012), 1u);
      EXPECT_EQ(SendDlgItemMessageA(dialog, 1001, WM_GETTEXTLENGTH, 0, 0), 10);
      EXPECT_FALSE(EndDialog(GetDlgItem(dialog, 1001), 1));  // not a dialog
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WINDOW_NOT_DIALOG));
      SetWindowLongPtrA(dialog, DWLP_USER, 99);
      EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_USER), 99);
      EndDialog(dialog, 5);
      EXPECT_FALSE(IsWindowVisible(dialog));  // hidden at once, destroyed later
      EXPECT_TRUE(IsWindow(dialog));
      return TRUE;
    }
  };
  EXPECT_EQ(sigplat::RunDialogTemplate(Sample(), kInstance, nullptr, Probe::Proc, 0), 5);
}

TEST_F(DialogRun, AnOwnerThatIsNotAWindowShowsNothing) {
  HWND dead = Top("gone");
  DestroyWindow(dead);
  EXPECT_EQ(Run(Sample(), dead), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(sigplat::Transcript().empty());
}

}  // namespace
}  // namespace wintest
