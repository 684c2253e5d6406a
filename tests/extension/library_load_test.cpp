// The extension library as the host loads it: settings filled at process
// attach, the trace log set up, and a fresh start after an unload.
#include <string>

#include "tests/support/deliverable.h"
#include "tests/support/fresh_world.h"

namespace {

using sigtest::kUserKey;

const char kLibrary[] = "C:\\Program Files\\Sigilon\\Sigil32.dll";
const char kLog[] = "C:\\Windows\\Temp\\sigilon.log";

class LibraryLoad : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    sigtest::InstallLibrary(SIGIL32_PATH, kLibrary);
    InstallMachineDefaults();
  }
  HMODULE Load() {
    HMODULE module = LoadLibraryA(kLibrary);
    EXPECT_NE(module, nullptr) << "error " << GetLastError();
    return module;
  }
};

TEST_F(LibraryLoad, FirstLoadFillsTheUserKey) {
  HMODULE module = Load();
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "MatchString"), "Classification:");
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "AutoPrompt"), 1u);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LibraryLoad, TraceSettingsOpenTheLogAtAttachAndCloseItAtDetach) {
  Load() && FreeLibrary(GetModuleHandleA("Sigil32.dll"));  // first run fills the user key
  SetDword(HKEY_CURRENT_USER, kUserKey, "Debug", 1);
  SetDword(HKEY_CURRENT_USER, kUserKey, "Trace", 0x1);
  HMODULE module = Load();
  const std::string log = ReadWorldFile(kLog).value_or("");
  EXPECT_NE(log.find("SetDebugOptions Trace = 00000001 \r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("extension/dll_main.cpp("), std::string::npos) << log;
  EXPECT_NE(log.find("DllMain(DLL_PROCESS_ATTACH) Trace = 1,  ThreadID = "), std::string::npos);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_NE(ReadWorldFile(kLog).value_or("").find("DllMain(DLL_PROCESS_DETACH)"),
            std::string::npos);
}

TEST_F(LibraryLoad, ReloadStartsWithFreshGlobals) {
  Load() && FreeLibrary(GetModuleHandleA("Sigil32.dll"));
  SetDword(HKEY_CURRENT_USER, kUserKey, "Debug", 1);
  HMODULE module = Load();
  ASSERT_TRUE(ReadWorldFile(kLog).has_value());
  ASSERT_TRUE(FreeLibrary(module));

  // "Debug" has no preset: a library that kept its globals would still hold
  // 1 and write the log again.
  DeleteValue(HKEY_CURRENT_USER, kUserKey, "Debug");
  ASSERT_TRUE(DeleteFileA(kLog));
  module = Load();
  EXPECT_FALSE(ReadWorldFile(kLog).has_value());
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LibraryLoad, ExportsOnlyItsEntryPoints) {
  HMODULE module = Load();
  EXPECT_NE(GetProcAddress(module, "DllMain"), nullptr);
  for (const char* hidden : {"CheckRegistryKeys", "_Z17CheckRegistryKeysv", "szExchangeExt",
                             "Trace", "_Z15SetDebugOptionsv"}) {
    EXPECT_EQ(GetProcAddress(module, hidden), nullptr) << hidden;
  }
  FreeLibrary(module);
}

}  // namespace
