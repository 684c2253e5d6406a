#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "temp_prefix.h"
#include "winapi.h"

namespace {

using CounterFunction = int* (*)();

class ModuleTest : public TempPrefixTest {
 protected:
  void SetUp() override {
    TempPrefixTest::SetUp();
    std::filesystem::create_directories(OnDriveC("Program Files/Sigilon"));
    std::filesystem::create_symlink(PROBE_MODULE_PATH, OnDriveC("Program Files/Sigilon/Probe.dll"));
    sigplat::SetExecutablePath("C:\\Program Files\\Sigilon\\Host.exe");
    sigplat::SetDebugOutputSink([this](const std::string& text) { events_.push_back(text); });
  }

  void TearDown() override {
    sigplat::SetDebugOutputSink(nullptr);
    sigplat::ClearProcessModules();
    TempPrefixTest::TearDown();
  }

  bool ProbeStillMapped() const {
    std::string path = OnDriveC("Program Files/Sigilon/Probe.dll").string();
    void* dl = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (dl) dlclose(dl);
    return dl != nullptr;
  }

  std::vector<std::string> events_;
};

TEST_F(ModuleTest, LoadCountsAttachOnceAndFreeUnloadsForReal) {
  HMODULE first = LoadLibraryA("C:\\Program Files\\Sigilon\\Probe.dll");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(events_, std::vector<std::string>{"probe attach"});
  HMODULE second = LoadLibraryA("c:/program files/SIGILON/probe.DLL");
  EXPECT_EQ(second, first);
  EXPECT_EQ(events_.size(), 1u) << "a second load does not attach again";

  auto counter = reinterpret_cast<CounterFunction>(GetProcAddress(first, "ProbeCounter"));
  ASSERT_NE(counter, nullptr);
  *counter() = 7;

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(events_.size(), 1u);
  EXPECT_TRUE(ProbeStillMapped());
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(events_, (std::vector<std::string>{"probe attach", "probe detach"}));
  EXPECT_FALSE(ProbeStillMapped());
  EXPECT_FALSE(FreeLibrary(first)) << "the handle died with the module";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  HMODULE again = LoadLibraryA("C:\\Program Files\\Sigilon\\Probe.dll");
  ASSERT_NE(again, nullptr);
  counter = reinterpret_cast<CounterFunction>(GetProcAddress(again, "ProbeCounter"));
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(*counter(), 0) << "a reload starts with fresh globals";
  EXPECT_TRUE(FreeLibrary(again));
}

TEST_F(ModuleTest, BareNamesAreSearchedAndFound) {
  HMODULE h = LoadLibraryA("PROBE");  // the executable's folder, ".dll" added
  ASSERT_NE(h, nullptr);
  char path[MAX_PATH];
  // The file name keeps the spelling it was asked for, the folder the one it was found in.
  EXPECT_EQ(GetModuleFileNameA(h, path, sizeof path), 34u);
  EXPECT_STREQ(path, "C:\\Program Files\\Sigilon\\PROBE.dll");
  EXPECT_EQ(GetModuleHandleA("probe.dll"), h);
  EXPECT_EQ(GetModuleHandleA("C:\\PROGRAM FILES\\Sigilon\\probe.dll"), h);
  EXPECT_EQ(LoadLibraryA("probe.dll"), h) << "already loaded, by base name";
  EXPECT_TRUE(FreeLibrary(h));
  EXPECT_TRUE(FreeLibrary(h));
  EXPECT_EQ(GetModuleHandleA("probe.dll"), nullptr);
  EXPECT_EQ(LoadLibraryA("probe."), nullptr) << "a trailing dot means no extension";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(ModuleTest, ExportsAreTheModulesOwn) {
  HMODULE h = LoadLibraryA("C:\\Program Files\\Sigilon\\Probe.dll");
  ASSERT_NE(h, nullptr);
  EXPECT_NE(GetProcAddress(h, "DllMain"), nullptr);
  EXPECT_EQ(GetProcAddress(h, "probecounter"), nullptr) << "names are case-sensitive";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(h, "OutputDebugStringA"), nullptr) << "a dependency's, not its own";
  testing::internal::CaptureStderr();
  EXPECT_EQ(GetProcAddress(h, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_NE(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(FreeLibrary(h));
}

TEST_F(ModuleTest, FailedLoadsReportWhy) {
  WriteBytes("Windows/System32/notes.dll", "this is not an image");
  struct {
    const char* name;
    DWORD error;
  } cases[] = {
      {"C:\\Program Files\\Sigilon\\Missing.dll", ERROR_MOD_NOT_FOUND},
      {"missing", ERROR_MOD_NOT_FOUND},
      {"C:\\Windows\\System32\\notes.dll", ERROR_BAD_EXE_FORMAT},
      {"NOTES", ERROR_BAD_EXE_FORMAT},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LoadLibraryA(c.name), nullptr) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
}

TEST_F(ModuleTest, FailingInitialisationDetachesAndUnloads) {
  setenv("PROBE_FAIL_ATTACH", "1", 1);
  HMODULE h = LoadLibraryA("C:\\Program Files\\Sigilon\\Probe.dll");
  unsetenv("PROBE_FAIL_ATTACH");
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  EXPECT_EQ(events_, (std::vector<std::string>{"probe attach", "probe detach"}));
  EXPECT_FALSE(ProbeStillMapped());
  EXPECT_EQ(GetModuleHandleA("probe.dll"), nullptr);
}

TEST_F(ModuleTest, ModuleFileNameTruncatesAsVista) {
  sigplat::SetExecutablePath("C:\\Apps\\OUTLOOK.EXE");
  char buffer[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, sizeof buffer), 19u);
  EXPECT_STREQ(buffer, "C:\\Apps\\OUTLOOK.EXE");
  char small[8];
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 8u);
  EXPECT_STREQ(small, "C:\\Apps");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  char exact[19];
  EXPECT_EQ(GetModuleFileNameA(nullptr, exact, sizeof exact), 19u) << "no room for the NUL";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(GetModuleHandleA("outlook.exe"), GetModuleHandleA(nullptr));
}

}  // namespace
