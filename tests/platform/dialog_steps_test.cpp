// The user's steps in a dialog: each kind carried out as a person would,
// steps a person could not take recorded and skipped, a dialog left open,
// and a dialog opened from a step of another.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"

namespace wintest {
namespace {

using Lines = std::vector<std::string>;

// The clicks among the commands (the focus notifications of lists left out).
CommandList Clicks(const CommandList& commands) {
  CommandList clicks;
  for (const auto& c : commands) {
    if (c.second == BN_CLICKED) clicks.push_back(c);
  }
  return clicks;
}

// What the dialog procedure heard, as "id code" pairs, plus WM_HELP.
struct Heard {
  CommandList commands;
  std::vector<int> helpIds;
  std::vector<HWND> helpHandles;
  bool aboutOnCommand = false;  // button 1050 opens the About dialog (template 600)
};
Heard* g_heard = nullptr;

INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK MainProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  Heard& heard = *g_heard;
  switch (msg) {
    case WM_INITDIALOG:
      for (const char* s : {"Unclassified", "Restricted", "Secret"}) {
        SendDlgItemMessageA(dialog, 1020, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SendDlgItemMessageA(dialog, 1021, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SendDlgItemMessageA(dialog, 1025, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      }
      return TRUE;
    case WM_COMMAND:
      heard.commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
      if (LOWORD(wParam) == 1050 && heard.aboutOnCommand) {
        sigplat::DialogTemplate about =
            Template(600, {Control("BUTTON", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK")});
        sigplat::RunDialogTemplate(about, nullptr, dialog, AboutProc, 0);
      }
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        // OK needs a classification: the list's selection.
        if (LOWORD(wParam) == IDOK &&
            SendDlgItemMessageA(dialog, 1020, LB_GETCURSEL, 0, 0) == LB_ERR) {
          return TRUE;
        }
        EndDialog(dialog, LOWORD(wParam));
      }
      return TRUE;
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      heard.helpIds.push_back(info->iCtrlId);
      heard.helpHandles.push_back(reinterpret_cast<HWND>(info->hItemHandle));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

sigplat::DialogTemplate Main() {
  auto disabledGroupChild = Control("BUTTON", 1041, BS_AUTOCHECKBOX, "In disabled");
  auto hidden = Control("BUTTON", 1042, BS_AUTOCHECKBOX, "Hidden");
  hidden.style &= ~static_cast<DWORD>(WS_VISIBLE);
  auto hiddenList = Control("LISTBOX", 1025, LBS_NOTIFY);
  hiddenList.style &= ~static_cast<DWORD>(WS_VISIBLE);
  return Template(500, {hiddenList,  // holds the same items, but the user cannot see it
                        Control("LISTBOX", 1020, LBS_NOTIFY | WS_TABSTOP),
                        Control("COMBOBOX", 1021, CBS_DROPDOWNLIST | WS_TABSTOP),
                        Control("EDIT", 1001, ES_AUTOHSCROLL | WS_TABSTOP),
                        Control("BUTTON", 1040, BS_AUTOCHECKBOX | WS_TABSTOP, "Warn"),
                        disabledGroupChild, hidden, Control("BUTTON", 1043, BS_CHECKBOX, "Manual"),
                        Control("BUTTON", 1044, BS_AUTO3STATE, "Three"),
                        Control("BUTTON", 1045, BS_AUTORADIOBUTTON | WS_GROUP, "R1"),
                        Control("BUTTON", 1046, BS_AUTORADIOBUTTON, "R2"),
                        Control("BUTTON", 1047, BS_GROUPBOX | WS_GROUP, "Group"),
                        Control("BUTTON", 1050, BS_PUSHBUTTON | WS_TABSTOP, "About"),
                        Control("BUTTON", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK"),
                        Control("BUTTON", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, "Cancel")});
}

class DialogSteps : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    g_heard = &heard;
    sigplat::SetUserAgent(&agent);
  }
  void TearDown() override {
    g_heard = nullptr;
    WindowTest::TearDown();
  }
  INT_PTR Run(std::vector<Step> steps) {
    agent.scripts.push_back(std::move(steps));
    sigplat::DialogTemplate t = Main();
    t.controls[5].style |= WS_DISABLED;
    return sigplat::RunDialogTemplate(t, kInstance, nullptr, MainProc, 0);
  }
  const sigplat::DialogRecord& Record(size_t i = 0) { return sigplat::Transcript().at(i).dialog; }
  Heard heard;
  DialogAgent agent;
};

TEST_F(DialogSteps, EachKindOfStepDoesWhatAPersonWould) {
  // Captures the state just before the dialog ends.
  struct Captured {
    int listSel = -2, comboSel = -2;
    std::string edit, combo;
    UINT checks[5] = {};
  };
  static Captured captured;
  struct Proc {
    static INT_PTR CALLBACK Capture(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
      if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        captured.listSel = static_cast<int>(SendDlgItemMessageA(dialog, 1020, LB_GETCURSEL, 0, 0));
        captured.comboSel = static_cast<int>(SendDlgItemMessageA(dialog, 1021, CB_GETCURSEL, 0, 0));
        char text[64];
        GetDlgItemTextA(dialog, 1001, text, sizeof text);
        captured.edit = text;
        GetDlgItemTextA(dialog, 1021, text, sizeof text);
        captured.combo = text;
        int ids[] = {1040, 1043, 1044, 1045, 1046};
        for (int i = 0; i < 5; ++i) captured.checks[i] = IsDlgButtonChecked(dialog, ids[i]);
      }
      return MainProc(dialog, msg, wParam, lParam);
    }
  };
  agent.scripts.push_back({
      MakeStep(StepKind::Select, 0, "restricted"),  // case aside, in the visible list
      MakeStep(StepKind::DoubleClick, 0, "Secret"),
      MakeStep(StepKind::Pick, 1021, "Restricted"),
      MakeStep(StepKind::Type, 1001, "Eyes only"),
      MakeStep(StepKind::Check, 1040),
      MakeStep(StepKind::Check, 1040),  // already checked: no click
      MakeStep(StepKind::Check, 1044),  // auto 3-state: one click to checked
      MakeStep(StepKind::Check, 1046),
      MakeStep(StepKind::Uncheck, 1043),  // already unchecked
      MakeStep(StepKind::Help, 1001),
      MakeStep(StepKind::Click, IDOK),
  });
  EXPECT_EQ(sigplat::RunDialogTemplate(Main(), kInstance, nullptr, Proc::Capture, 0), IDOK);
  EXPECT_EQ(captured.listSel, 2);
  EXPECT_EQ(captured.comboSel, 1);
  EXPECT_EQ(captured.combo, "Restricted");
  EXPECT_EQ(captured.edit, "Eyes only");
  EXPECT_EQ(captured.checks[0], 1u);
  EXPECT_EQ(captured.checks[1], 0u);
  EXPECT_EQ(captured.checks[2], 1u);
  EXPECT_EQ(captured.checks[3], 0u);
  EXPECT_EQ(captured.checks[4], 1u);

  // The notifications, in order, without the edit's nine keys.
  CommandList notifications;
  for (const auto& c : heard.commands) {
    if (c.first != 1001) notifications.push_back(c);
  }
  EXPECT_EQ(notifications, (CommandList{{1020, LBN_SETFOCUS},
                                        {1020, LBN_SELCHANGE},
                                        {1020, LBN_SELCHANGE},
                                        {1020, LBN_DBLCLK},
                                        {1020, LBN_KILLFOCUS},
                                        {1021, CBN_SETFOCUS},
                                        {1021, CBN_SELCHANGE},
                                        {1021, CBN_KILLFOCUS},
                                        {1040, BN_CLICKED},
                                        {1044, BN_CLICKED},
                                        {1046, BN_CLICKED},
                                        {IDOK, BN_CLICKED}}));
  int changes = 0;
  for (const auto& c : heard.commands) changes += c == std::make_pair(1001, EN_CHANGE);
  EXPECT_EQ(changes, 9);
  EXPECT_EQ(heard.helpIds, (std::vector<int>{1001}));

  const sigplat::DialogRecord& r = Record();
  EXPECT_TRUE(r.answered);
  EXPECT_TRUE(r.errors.empty()) << r.errors.front();
  EXPECT_EQ(r.steps,
            (Lines{"select \"restricted\"", "double-click \"Secret\"", "pick 1021 \"Restricted\"",
                   "type 1001 \"Eyes only\"", "check 1040", "check 1040", "check 1044",
                   "check 1046", "uncheck 1043", "help 1001", "click 1"}));
}

TEST_F(DialogSteps, StepsAPersonCouldNotTakeAreRecordedAndSkipped) {
  EXPECT_EQ(
      Run({
          MakeStep(StepKind::Click, 1041),      // disabled
          MakeStep(StepKind::Check, 1042),      // hidden
          MakeStep(StepKind::Click, 4242),      // no such control
          MakeStep(StepKind::Type, 1040, "x"),  // not an edit
          MakeStep(StepKind::Click, 1047),      // a group box
          MakeStep(StepKind::Check, 1045),
          MakeStep(StepKind::Uncheck, 1045),  // radio buttons cannot be unchecked
          MakeStep(StepKind::Check, 1043),    // the procedure never checks it
          MakeStep(StepKind::Select, 0, "Top Secret"), MakeStep(StepKind::Pick, 1021, "Top Secret"),
          MakeStep(StepKind::Date, 1060), MakeStep(StepKind::Page), MakeStep(StepKind::Help, 1042),
          MakeStep(StepKind::Click, IDCANCEL), MakeStep(StepKind::Click, IDOK),  // too late
      }),
      IDCANCEL);
  EXPECT_EQ(Clicks(heard.commands),
            (CommandList{{1045, BN_CLICKED}, {1043, BN_CLICKED}, {IDCANCEL, BN_CLICKED}}));
  EXPECT_TRUE(heard.helpIds.empty());
  EXPECT_EQ(
      Record().errors,
      (Lines{"click 1041: the control is disabled", "check 1042: the control is hidden",
             "click 4242: no control 4242", "type 1040 \"x\": the control is not an edit control",
             "click 1047: a group box cannot be clicked",
             "uncheck 1045: a radio button cannot be unchecked by clicking it",
             "check 1043: the control stayed unchecked",
             "select \"Top Secret\": no list item \"Top Secret\"",
             "pick 1021 \"Top Secret\": no entry \"Top Secret\"",
             "date 1060 0-00-00: not available yet", "page 0: not available yet",
             "help 1042: the control is hidden", "click 1: the dialog had already ended"}));
  EXPECT_EQ(Record().steps.front(), "click 1041 (not taken: the control is disabled)");
  EXPECT_EQ(Record().steps.size(), 15u);
}

TEST_F(DialogSteps, WhatTheProcedureHidesOrDisablesIsOutOfReach) {
  struct Proc {
    // Hides the Warn box; with DWLP_USER set beforehand, disables the whole dialog.
    static INT_PTR CALLBACK HideWarn(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
      INT_PTR result = MainProc(dialog, msg, wParam, lParam);
      if (msg == WM_INITDIALOG) ShowWindow(GetDlgItem(dialog, 1040), SW_HIDE);
      return result;
    }
    static INT_PTR CALLBACK DisableAll(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
      INT_PTR result = MainProc(dialog, msg, wParam, lParam);
      if (msg == WM_INITDIALOG) EnableWindow(dialog, FALSE);
      return result;
    }
  };
  agent.scripts.push_back({MakeStep(StepKind::Check, 1040), MakeStep(StepKind::Click, IDCANCEL)});
  EXPECT_EQ(sigplat::RunDialogTemplate(Main(), kInstance, nullptr, Proc::HideWarn, 0), IDCANCEL);
  EXPECT_EQ(Record().errors, (Lines{"check 1040: the control is hidden"}));
  EXPECT_FALSE(Record().controls[4].visible);

  sigplat::ClearTranscript();
  heard.commands.clear();
  agent.scripts.push_back({MakeStep(StepKind::Click, IDCANCEL)});
  EXPECT_EQ(sigplat::RunDialogTemplate(Main(), kInstance, nullptr, Proc::DisableAll, 0), IDCANCEL);
  // Out of reach inside a disabled dialog; the platform then closes it.
  EXPECT_EQ(Record().errors,
            (Lines{"click 2: the control is disabled", "dialog left open after its steps"}));
  EXPECT_EQ(Record().steps, (Lines{"click 2 (not taken: the control is disabled)", "close"}));
}

TEST_F(DialogSteps, ADialogLeftOpenIsClosedAndSaysSo) {
  // Selecting is not enough to end the dialog: the platform closes it.
  EXPECT_EQ(Run({MakeStep(StepKind::Select, 0, "Secret")}), IDCANCEL);
  const sigplat::DialogRecord& r = Record();
  EXPECT_TRUE(r.answered);
  EXPECT_EQ(r.errors, (Lines{"dialog left open after its steps"}));
  EXPECT_EQ(r.steps, (Lines{"select \"Secret\"", "close"}));
  EXPECT_EQ(r.result, IDCANCEL);
}

TEST_F(DialogSteps, TheCloseStepSendsWmClose) {
  EXPECT_EQ(Run({MakeStep(StepKind::Close)}), IDCANCEL);
  EXPECT_EQ(Clicks(heard.commands), (CommandList{{IDCANCEL, BN_CLICKED}}));
  EXPECT_TRUE(Record().errors.empty());
  EXPECT_EQ(Record().steps, (Lines{"close"}));
}

TEST_F(DialogSteps, ANestedDialogComesAfterItsParentInTheTranscript) {
  heard.aboutOnCommand = true;
  agent.scripts.push_back({MakeStep(StepKind::Click, 1050), MakeStep(StepKind::Select, 0, "Secret"),
                           MakeStep(StepKind::Click, IDOK)});
  agent.scripts.push_back({MakeStep(StepKind::Click, IDOK)});  // the About box
  sigplat::DialogTemplate t = Main();
  EXPECT_EQ(sigplat::RunDialogTemplate(t, kInstance, nullptr, MainProc, 0), IDOK);
  const auto& transcript = sigplat::Transcript();
  ASSERT_EQ(transcript.size(), 2u);
  EXPECT_EQ(transcript[0].dialog.templateId, 500);
  EXPECT_EQ(transcript[1].dialog.templateId, 600);
  EXPECT_EQ(transcript[0].dialog.steps, (Lines{"click 1050", "select \"Secret\"", "click 1"}));
  EXPECT_EQ(transcript[0].dialog.result, IDOK);
  EXPECT_EQ(transcript[1].dialog.steps, (Lines{"click 1"}));
  EXPECT_EQ(transcript[1].dialog.result, IDOK);
  EXPECT_NE(transcript[1].dialog.owner, nullptr);  // the main dialog
  ASSERT_EQ(agent.seen.size(), 2u);
  EXPECT_EQ(agent.seen[1].templateId, 600);
  // No dialog is left behind.
  EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr);
}

}  // namespace
}  // namespace wintest
