// DialogBoxParamA with a template from a module's resource script.
#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"
#include "resource_support.h"

namespace {

using wintest::MakeStep;
using wintest::StepKind;

std::string g_typed;

INT_PTR CALLBACK AskProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
    char text[64];
    GetDlgItemTextA(dialog, 201, text, sizeof text);
    g_typed = text;
    EndDialog(dialog, GetWindowLongPtrA(dialog, DWLP_USER));
    return TRUE;
  }
  return FALSE;
}

TEST_F(ResourceModuleTest, DialogBoxParamARunsTheModulesTemplate) {
  wintest::DialogAgent agent;
  agent.scripts.push_back(
      {MakeStep(StepKind::Type, 201, "Secret"), MakeStep(StepKind::Click, IDOK)});
  sigplat::SetUserAgent(&agent);
  sigplat::ClearTranscript();
  EXPECT_EQ(DialogBoxParamA(module_, MAKEINTRESOURCEA(200), nullptr, AskProc, 42), 42);
  EXPECT_EQ(g_typed, "Secret");
  ASSERT_EQ(sigplat::Transcript().size(), 1u);
  const sigplat::DialogRecord& r = sigplat::Transcript()[0].dialog;
  EXPECT_EQ(r.templateId, 200);
  EXPECT_EQ(r.caption, "Ask");
  EXPECT_TRUE(r.errors.empty());

  SetLastError(0);
  EXPECT_EQ(DialogBoxParamA(module_, MAKEINTRESOURCEA(201), nullptr, AskProc, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(sigplat::Transcript().size(), 1u);
  sigplat::SetUserAgent(nullptr);
  sigplat::ClearTranscript();
}

}  // namespace
