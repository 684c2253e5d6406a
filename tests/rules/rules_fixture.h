// A user whose settings point at a site folder, with the prefix group as the
// settings load derives it.
#pragma once

#include <cstring>
#include <string>

#include "extension/message_state.h"
#include "rules/settings_store.h"
#include "tests/support/fresh_world.h"

namespace sigtest {

class RulesWorld : public FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    SetString(HKEY_CURRENT_USER, kUserKey, "ClassificationPath", "C:\\Sigilon");
    UsePrefix("Classification:", true);
    bAUTODIN = FALSE;
    bClassFound = bBodyClassFound = bFirstLineClassFound = bCancelled = FALSE;
    szBodyClass[0] = szFirstLineClass[0] = '\0';
  }
  // The prefix group as InitializeFromRegistryKeys derives it.
  static void UsePrefix(const char* prefix, bool insertSpace) {
    std::snprintf(szMatchString, sizeof szMatchString, "%s", prefix);
    std::snprintf(szClassInsert, sizeof szClassInsert, "%s%s", prefix, insertSpace ? " " : "");
    std::snprintf(szCLASSIFICATION, sizeof szCLASSIFICATION, "%s", prefix);
    _strupr(szCLASSIFICATION);
    nClassMatchLength = static_cast<int>(std::strlen(szCLASSIFICATION));
  }
  void WriteList(const std::string& content) { WriteWorldFile("C:\\Sigilon\\SIGILON.TXT", content); }
  void WriteMap(const std::string& content) { WriteWorldFile("C:\\Sigilon\\SIGILON.MAP", content); }
};

}  // namespace sigtest
