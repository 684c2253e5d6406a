// The extension library loaded into the test's world, so that the system's
// code under test finds its dialogs and strings in the library's resources.
#pragma once

#include "extension/module_state.h"
#include "sigplat/user_agent.h"
#include "tests/support/deliverable.h"
#include "tests/support/fresh_world.h"

namespace sigtest {

class ExtensionModule : public FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    InstallLibrary(SIGIL32_PATH, "C:\\Program Files\\Sigilon\\Sigil32.dll");
    module_ = LoadLibraryA("C:\\Program Files\\Sigilon\\Sigil32.dll");
    ASSERT_NE(module_, nullptr);
    ghInstDLL = module_;
    sigplat::ClearTranscript();  // what the library's own load showed
  }
  void TearDown() override {
    ghInstDLL = nullptr;
    if (module_) FreeLibrary(module_);
    FreshWorld::TearDown();
  }
  // The state of control `id` in the last dialog shown.
  const sigplat::ControlState* ShownControl(int id) const {
    const auto& transcript = sigplat::Transcript();
    for (auto entry = transcript.rbegin(); entry != transcript.rend(); ++entry) {
      if (entry->kind != sigplat::TranscriptEntry::Kind::Dialog) continue;
      for (const auto& control : entry->dialog.controls) {
        if (control.id == id) return &control;
      }
      return nullptr;
    }
    return nullptr;
  }
  HMODULE module_ = nullptr;
};

}  // namespace sigtest
