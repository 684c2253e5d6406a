// Resources found by module: strings and dialog templates from a library's
// embedded script, modules without resources, damaged ones, and unloading.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource_support.h"
#include "sigplat/dialog_template.h"
#include "sigplat/gdi.h"

namespace {

TEST_F(ResourceModuleTest, LoadStringCopiesWhatFitsAndReturnsTheLength) {
  struct Case {
    UINT id;
    int bufferSize;
    int length;
    const char* text;
  };
  const Case cases[] = {
      {1, 64, 7, "Sigilon"}, {1, 8, 7, "Sigilon"},  // exactly room for the terminator
      {1, 7, 6, "Sigilo"},   {1, 2, 1, "S"},
      {1, 1, 0, ""},         {2, 64, 40, "Tab\there, \"quoted\" and a \"doubled\" quote"},
      {7, 64, 0, ""},
  };
  for (const Case& c : cases) {
    char buffer[80];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadStringA(module_, c.id, buffer, c.bufferSize), c.length)
        << c.id << " into " << c.bufferSize;
    EXPECT_STREQ(buffer, c.text) << c.id << " into " << c.bufferSize;
    EXPECT_EQ(buffer[c.bufferSize], 'x') << "nothing written past the buffer";
  }
}

TEST_F(ResourceModuleTest, MissingStringsAndUnsupportedCalls) {
  char buffer[16] = "untouched";
  SetLastError(0);
  EXPECT_EQ(LoadStringA(module_, 3, buffer, sizeof buffer), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_STREQ(buffer, "");

  EXPECT_EQ(LoadStringA(module_, 1, buffer, 0), 0) << "a pointer to the resource is not offered";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(LoadStringA(module_, 1, nullptr, 10), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(ResourceModuleTest, FindDialogTemplateByNumberOrHashName) {
  const sigplat::DialogTemplate* ask = sigplat::FindDialogTemplate(module_, MAKEINTRESOURCEA(200));
  ASSERT_NE(ask, nullptr) << GetLastError();
  EXPECT_EQ(ask->caption, "Ask");
  EXPECT_TRUE(ask->extended);
  EXPECT_EQ(ask->exStyle, static_cast<DWORD>(WS_EX_CONTEXTHELP));
  EXPECT_EQ(ask->fontFace, "MS Shell Dlg");
  ASSERT_EQ(ask->controls.size(), 2u);
  EXPECT_EQ(ask->controls[0].windowClass, "EDIT");
  EXPECT_EQ(ask->controls[0].id, 201);
  EXPECT_EQ(ask->controls[1].id, IDOK);
  EXPECT_EQ(ask->controls[1].style,
            static_cast<DWORD>(WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP));
  EXPECT_EQ(sigplat::FindDialogTemplate(module_, "#200"), ask) << "parsed once, kept";

  EXPECT_EQ(sigplat::FindDialogTemplate(module_, MAKEINTRESOURCEA(201)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(sigplat::FindDialogTemplate(module_, "ASK"), nullptr) << "named resources";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(ResourceModuleTest, ModulesWithoutResourcesHaveNone) {
  HMODULE probe = LoadLibraryA(kProbe);
  ASSERT_NE(probe, nullptr);
  char buffer[8];
  EXPECT_EQ(LoadStringA(probe, 1, buffer, sizeof buffer), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(sigplat::FindDialogTemplate(probe, MAKEINTRESOURCEA(200)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(LoadImageA(probe, MAKEINTRESOURCEA(300), IMAGE_BITMAP, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));

  HMODULE psapi = LoadLibraryA("psapi.dll");  // built in: no file, no resources
  ASSERT_NE(psapi, nullptr);
  EXPECT_EQ(LoadStringA(psapi, 1, buffer, sizeof buffer), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));

  EXPECT_EQ(LoadStringA(reinterpret_cast<HINSTANCE>(0x1234), 1, buffer, sizeof buffer), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  FreeLibrary(psapi);
  FreeLibrary(probe);
}

TEST_F(ResourceModuleTest, DamagedResourcesAreReportedWithTheScriptLine) {
  HMODULE broken = LoadLibraryA(kBroken);
  ASSERT_NE(broken, nullptr);
  char buffer[8];
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadStringA(broken, 1, buffer, sizeof buffer), 0);
  std::string report = testing::internal::GetCapturedStderr();
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_NE(report.find("LoadStringA: broken_resources.rc:6: string is not closed"),
            std::string::npos)
      << report;
  FreeLibrary(broken);
}

TEST_F(ResourceModuleTest, UnloadingTheModuleTakesItsResourcesAlong) {
  HICON icon = LoadIconA(module_, MAKEINTRESOURCEA(400));
  ASSERT_NE(icon, nullptr);
  ASSERT_NE(sigplat::FindDialogTemplate(module_, MAKEINTRESOURCEA(200)), nullptr);
  HMODULE old = module_;
  ASSERT_TRUE(FreeLibrary(module_));
  module_ = nullptr;
  sigplat::IconInfo info;
  EXPECT_FALSE(sigplat::DescribeIcon(icon, &info)) << "a shared icon goes with its module";
  EXPECT_EQ(sigplat::FindDialogTemplate(old, MAKEINTRESOURCEA(200)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  module_ = LoadLibraryA(kFixture);
  ASSERT_NE(module_, nullptr);
  const sigplat::DialogTemplate* again =
      sigplat::FindDialogTemplate(module_, MAKEINTRESOURCEA(200));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->caption, "Ask");
  HICON fresh = LoadIconA(module_, MAKEINTRESOURCEA(400));
  EXPECT_NE(fresh, nullptr);
  EXPECT_NE(fresh, icon) << "handles are not reused";
}

}  // namespace
