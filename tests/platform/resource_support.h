// The fixture libraries of the resource tests, placed in a fresh Windows world.
#pragma once

#include <filesystem>

#include "temp_prefix.h"
#include "winapi.h"

class ResourceModuleTest : public TempPrefixTest {
 protected:
  static constexpr const char* kFixture = "C:\\Sigilon\\Fixture.dll";
  static constexpr const char* kBroken = "C:\\Sigilon\\Broken.dll";
  static constexpr const char* kProbe = "C:\\Sigilon\\Probe.dll";

  void SetUp() override {
    TempPrefixTest::SetUp();
    std::filesystem::create_directories(OnDriveC("Sigilon"));
    std::filesystem::create_symlink(RESOURCE_MODULE_PATH, OnDriveC("Sigilon/Fixture.dll"));
    std::filesystem::create_symlink(BROKEN_RESOURCES_PATH, OnDriveC("Sigilon/Broken.dll"));
    std::filesystem::create_symlink(PROBE_MODULE_PATH, OnDriveC("Sigilon/Probe.dll"));
    module_ = LoadLibraryA(kFixture);
    ASSERT_NE(module_, nullptr) << GetLastError();
  }

  void TearDown() override {
    if (module_) FreeLibrary(module_);
    TempPrefixTest::TearDown();
  }

  HMODULE module_ = nullptr;
};
