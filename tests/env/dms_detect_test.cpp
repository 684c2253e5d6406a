#include "env/dms_detect.h"

#include "rules/settings_store.h"
#include "sigplat/world.h"
#include "tests/support/fresh_world.h"

namespace {

using sigtest::kMachineKey;
using sigtest::kUserKey;

struct DmsCase {
  const char* name;
  DWORD styleLocked;
  const char* configured;  // "DMSModuleName" in the user key
  const char* loaded;      // a module in the process, or nullptr
  int expected;
};

class DmsDetection : public sigtest::FreshWorld,
                     public ::testing::WithParamInterface<std::tuple<DmsCase, DWORD>> {
 protected:
  void TearDown() override {
    sigplat::ClearProcessModules();
    sigplat::SetPlatformId(VER_PLATFORM_WIN32_NT);
    FreshWorld::TearDown();
  }
};

class DmsSettings : public sigtest::FreshWorld {
 protected:
  void TearDown() override {
    sigplat::ClearProcessModules();
    FreshWorld::TearDown();
  }
};

TEST_P(DmsDetection, FindsTheConfiguredModuleWithEitherModuleList) {
  const auto& [c, platformId] = GetParam();
  sigplat::SetPlatformId(platformId);
  SetDword(HKEY_CURRENT_USER, kUserKey, "StyleLocked", c.styleLocked);
  SetString(HKEY_CURRENT_USER, kUserKey, "DMSModuleName", c.configured);
  if (c.loaded) sigplat::AddProcessModule(c.loaded);
  EXPECT_EQ(CheckDMS(), c.expected) << c.name;
  EXPECT_EQ(bStyleLocked, static_cast<BOOL>(c.styleLocked));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DmsDetection,
    ::testing::Combine(
        ::testing::Values(DmsCase{"exact", 1, "dmsclient.dll", "dmsclient.dll", 1},
                          DmsCase{"case differs", 1, "dmsclient.dll", "DMSCLIENT.DLL", 1},
                          DmsCase{"no extension", 1, "dmsclient", "DMSCLIENT.DLL", 0},
                          DmsCase{"style unlocked", 0, "dmsclient.dll", "dmsclient.dll", 0},
                          DmsCase{"nothing configured", 1, "", "dmsclient.dll", 0},
                          DmsCase{"not loaded", 1, "dmsclient.dll", nullptr, 0}),
        ::testing::Values(static_cast<DWORD>(VER_PLATFORM_WIN32_NT),
                          static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS))));

TEST_F(DmsSettings, DmsNameMissingFromTheUserKeyIsCopiedFromTheMachineKey) {
  SetDword(HKEY_CURRENT_USER, kUserKey, "StyleLocked", 1);
  SetString(HKEY_LOCAL_MACHINE, kMachineKey, "DMSModuleName", "dms32.dll");
  sigplat::AddProcessModule("DMS32.DLL");
  EXPECT_EQ(CheckDMS(), 1);
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "DMSModuleName"), "dms32.dll");
}

TEST_F(DmsSettings, DmsNameMissingEverywhereIsStoredEmpty) {
  SetDword(HKEY_CURRENT_USER, kUserKey, "StyleLocked", 1);
  EXPECT_EQ(CheckDMS(), 0);
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "DMSModuleName"), "");
}

TEST_F(DmsSettings, DmsWithoutUserKeyIsOff) {
  SetString(HKEY_LOCAL_MACHINE, kMachineKey, "DMSModuleName", "dms32.dll");
  sigplat::AddProcessModule("dms32.dll");
  EXPECT_EQ(CheckDMS(), 0);
}

}  // namespace
