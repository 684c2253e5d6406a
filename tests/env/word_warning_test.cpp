#include "env/outlook_editor.h"
#include "rules/settings_store.h"
#include "tests/support/extension_module.h"

namespace {

using sigtest::kUserKey;
using WordWarning = sigtest::ExtensionModule;

INT_PTR ShowWarning() {
  return DialogBoxParamA(ghInstDLL, MAKEINTRESOURCEA(152), nullptr, WordBodyWarningDlg, 0);
}

TEST_F(WordWarning, CheckBoxFollowsAndStoresTheSetting) {
  SetDword(HKEY_CURRENT_USER, kUserKey, "WordWarning", 1);
  agent_.QueueDialog({sigtest::Click(1063), sigtest::Click(1064)});
  EXPECT_EQ(ShowWarning(), 1);
  const sigplat::ControlState* box = ShownControl(1063);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->checked, BST_CHECKED);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "WordWarning"), 0u);
  EXPECT_FALSE(bWordWarning);
}

TEST_F(WordWarning, UnansweredWarningEndsWithItsDefaultButton) {
  SetDword(HKEY_CURRENT_USER, kUserKey, "WordWarning", 0);
  EXPECT_EQ(ShowWarning(), 1);
  EXPECT_EQ(ShownControl(1063)->checked, BST_UNCHECKED);
  EXPECT_FALSE(sigplat::Transcript().back().dialog.answered);
}

}  // namespace
