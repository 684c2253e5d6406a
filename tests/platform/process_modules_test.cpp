#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "temp_prefix.h"
#include "winapi.h"

namespace {

class ProcessModulesTest : public TempPrefixTest {
 protected:
  void SetUp() override {
    TempPrefixTest::SetUp();
    std::filesystem::create_directories(OnDriveC("Program Files/Sigilon"));
    std::filesystem::create_symlink(PROBE_MODULE_PATH, OnDriveC("Program Files/Sigilon/Probe.dll"));
    sigplat::SetExecutablePath("C:\\Program Files\\Microsoft Office\\Office\\OUTLOOK.EXE");
    sigplat::AddProcessModule("DMSCLIENT.DLL");
    sigplat::SetDebugOutputSink([](const std::string&) {});
    probe_ = LoadLibraryA("C:\\Program Files\\Sigilon\\Probe.dll");
    ASSERT_NE(probe_, nullptr);
  }

  void TearDown() override {
    FreeLibrary(probe_);
    sigplat::SetDebugOutputSink(nullptr);
    sigplat::ClearProcessModules();
    TempPrefixTest::TearDown();
  }

  HMODULE probe_ = nullptr;
};

// What a DMS check sees through PSAPI.
std::vector<std::string> PsapiNames(HMODULE psapi) {
  auto enumModules =
      reinterpret_cast<PFN_EnumProcessModules>(GetProcAddress(psapi, "EnumProcessModules"));
  auto baseName =
      reinterpret_cast<PFN_GetModuleBaseNameA>(GetProcAddress(psapi, "GetModuleBaseNameA"));
  EXPECT_NE(enumModules, nullptr);
  EXPECT_NE(baseName, nullptr);
  if (!enumModules || !baseName) return {};
  HMODULE modules[128];
  DWORD needed = 0;
  EXPECT_TRUE(enumModules(GetCurrentProcess(), modules, sizeof modules, &needed));
  std::vector<std::string> names;
  for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 128; ++i) {
    char name[100];
    DWORD length = baseName(GetCurrentProcess(), modules[i], name, sizeof name);
    EXPECT_EQ(length, std::strlen(name));
    names.push_back(name);
  }
  return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST_F(ProcessModulesTest, PsapiListsTheProcessModulesInOrder) {
  HMODULE psapi = LoadLibraryA("PSAPI.DLL");
  ASSERT_NE(psapi, nullptr);
  EXPECT_EQ(LoadLibraryA("psapi"), psapi);
  std::vector<std::string> names = PsapiNames(psapi);
  ASSERT_GE(names.size(), 5u);
  EXPECT_EQ(names[0], "OUTLOOK.EXE");
  EXPECT_EQ(names[1], "kernel32.dll");
  EXPECT_EQ(names[2], "Probe.dll");
  EXPECT_EQ(names[3], "psapi.dll");
  EXPECT_EQ(names[4], "DMSCLIENT.DLL");
  EXPECT_TRUE(Contains(names, "libc.so.6"));
  EXPECT_FALSE(Contains(names, "probe_module.so")) << "a loaded library is listed once";
  EXPECT_TRUE(FreeLibrary(psapi));
  EXPECT_TRUE(FreeLibrary(psapi));
}

TEST_F(ProcessModulesTest, EnumerationReportsTheRoomNeeded) {
  HMODULE psapi = LoadLibraryA("psapi.dll");
  auto enumModules =
      reinterpret_cast<PFN_EnumProcessModules>(GetProcAddress(psapi, "EnumProcessModules"));
  auto baseName =
      reinterpret_cast<PFN_GetModuleBaseNameA>(GetProcAddress(psapi, "GetModuleBaseNameA"));
  ASSERT_NE(enumModules, nullptr);
  HMODULE all[128];
  DWORD needed = 0;
  ASSERT_TRUE(enumModules(GetCurrentProcess(), all, sizeof all, &needed));
  HMODULE few[3] = {};
  HMODULE sentinel = reinterpret_cast<HMODULE>(0x1234);
  few[2] = sentinel;
  DWORD neededSmall = 0;
  ASSERT_TRUE(enumModules(GetCurrentProcess(), few, 2 * sizeof(HMODULE), &neededSmall));
  EXPECT_EQ(neededSmall, needed);
  EXPECT_EQ(few[0], all[0]);
  EXPECT_EQ(few[1], all[1]);
  EXPECT_EQ(few[2], sentinel);

  // The same handle names the same module from one call to the next.
  size_t dms = 4;
  char name[4];
  EXPECT_EQ(baseName(GetCurrentProcess(), all[dms], name, sizeof name), 3u);
  EXPECT_STREQ(name, "DMS");
  FreeLibrary(psapi);
}

TEST_F(ProcessModulesTest, ToolHelpWalksTheSameList) {
  HMODULE kernel = LoadLibraryA("Kernel32.DLL");
  ASSERT_NE(kernel, nullptr);
  EXPECT_EQ(LoadLibraryA("KERNEL32"), kernel);
  auto snap = reinterpret_cast<PFN_CreateToolhelp32Snapshot>(
      GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
  auto first = reinterpret_cast<PFN_Module32First>(GetProcAddress(kernel, "Module32First"));
  auto next = reinterpret_cast<PFN_Module32Next>(GetProcAddress(kernel, "Module32Next"));
  ASSERT_TRUE(snap && first && next);

  HANDLE snapshot = snap(TH32CS_SNAPMODULE, 0);
  ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry - 1;
  EXPECT_FALSE(first(snapshot, &entry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_LENGTH));

  std::vector<std::string> names;
  entry.dwSize = sizeof entry;
  for (BOOL more = first(snapshot, &entry); more; more = next(snapshot, &entry)) {
    names.push_back(entry.szModule);
    EXPECT_EQ(entry.th32ProcessID, GetCurrentProcessId());
    entry.dwSize = sizeof entry;
  }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names[0], "OUTLOOK.EXE");
  EXPECT_EQ(names[2], "Probe.dll");
  EXPECT_EQ(names[3], "DMSCLIENT.DLL");
  EXPECT_TRUE(Contains(names, "libc.so.6"));

  EXPECT_TRUE(first(snapshot, &entry)) << "Module32First starts over";
  EXPECT_STREQ(entry.szModule, "OUTLOOK.EXE");
  EXPECT_STREQ(entry.szExePath, "C:\\Program Files\\Microsoft Office\\Office\\OUTLOOK.EXE");
  EXPECT_TRUE(CloseHandle(snapshot));
  EXPECT_FALSE(first(snapshot, &entry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(FreeLibrary(kernel));
  EXPECT_TRUE(FreeLibrary(kernel));
}

TEST_F(ProcessModulesTest, BuiltinsReportFunctionsTheyLack) {
  HMODULE psapi = LoadLibraryA("PSAPI.DLL");
  testing::internal::CaptureStderr();
  EXPECT_EQ(GetProcAddress(psapi, "EnumProcesses"), nullptr);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("EnumProcesses"), std::string::npos);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  FreeLibrary(psapi);
}

}  // namespace
