#include <string>

#include "tests/support/deliverable.h"
#include "tests/support/fresh_world.h"

namespace {

const char kExtensionsKey[] = "Software\\Microsoft\\Exchange\\Client\\Extensions";
const char kSetupValue[] = "4.0;Outxxx.dll;7;000000000000000;0000000000;OutXXX";

typedef LONG(WINAPI* UninstEntry)(DWORD, DWORD, DWORD);

class UninstallHelper : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    sigtest::InstallLibrary(UNINST_PATH, "C:\\Program Files\\Sigilon\\uninst.dll");
    module_ = LoadLibraryA("C:\\Program Files\\Sigilon\\uninst.dll");
    ASSERT_NE(module_, nullptr) << GetLastError();
    initialize_ = Entry("UninstInitialize");
    uninitialize_ = Entry("UninstUnInitialize");
    ASSERT_NE(initialize_, nullptr);
    ASSERT_NE(uninitialize_, nullptr);
  }
  void TearDown() override {
    if (outlook_) DestroyWindow(outlook_);
    if (module_) FreeLibrary(module_);
    FreshWorld::TearDown();
  }
  UninstEntry Entry(const char* name) {
    return reinterpret_cast<UninstEntry>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
  }
  void StartOutlook() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "mspim_wnd32";
    RegisterClassA(&wc);  // may exist from an earlier test
    outlook_ = CreateWindowExA(0, "mspim_wnd32", "Inbox - Microsoft Outlook", WS_OVERLAPPEDWINDOW,
                               0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(outlook_, nullptr);
  }
  // The value's type and bytes exactly as stored.
  std::string StoredValue(DWORD* type) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kExtensionsKey, 0, KEY_READ, &h) != ERROR_SUCCESS) {
      return "<no key>";
    }
    char data[256];
    DWORD cb = sizeof data;
    const LONG rc = RegQueryValueExA(h, "Outlook Setup Extension", nullptr, type,
                                     reinterpret_cast<BYTE*>(data), &cb);
    RegCloseKey(h);
    return rc == ERROR_SUCCESS ? std::string(data, cb) : "<absent>";
  }

  HMODULE module_ = nullptr;
  UninstEntry initialize_ = nullptr;
  UninstEntry uninitialize_ = nullptr;
  HWND outlook_ = nullptr;
};

TEST_F(UninstallHelper, WritesTheSetupValueWhenOutlookIsClosed) {
  SetString(HKEY_LOCAL_MACHINE, kExtensionsKey, "Other Extension", "kept");
  EXPECT_EQ(initialize_(0, 0, 0), 0);
  EXPECT_EQ(initialize_(1, 2, 3), 0);  // twice: still one value, same data
  DWORD type = 0;
  EXPECT_EQ(StoredValue(&type), std::string(kSetupValue, sizeof kSetupValue));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(ValueNames("machine.reg", std::string("HKEY_LOCAL_MACHINE\\") + kExtensionsKey).size(), 2u);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(UninstallHelper, RefusesWhileOutlookRunsButUninitializeWritesAnyway) {
  SetString(HKEY_LOCAL_MACHINE, kExtensionsKey, "Other Extension", "kept");
  StartOutlook();
  EXPECT_EQ(initialize_(0, 0, 0), -1);
  ASSERT_EQ(sigplat::Transcript().size(), 1u);
  const sigplat::MessageBoxRecord& box = sigplat::Transcript()[0].messageBox;
  EXPECT_EQ(box.caption, "Sigilon for Outlook Uninstall");
  EXPECT_EQ(box.text, "Please close Microsoft Outlook before removing Sigilon for Outlook.");
  EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  DWORD type = 0;
  EXPECT_EQ(StoredValue(&type), "<absent>");

  EXPECT_EQ(uninitialize_(0, 0, 0), 0);
  EXPECT_EQ(StoredValue(&type), std::string(kSetupValue, sizeof kSetupValue));
  EXPECT_EQ(sigplat::Transcript().size(), 1u);
}

TEST_F(UninstallHelper, MissingExtensionsKeyIsLeftAloneAndStillSucceeds) {
  EXPECT_EQ(initialize_(0, 0, 0), 0);
  EXPECT_EQ(uninitialize_(0, 0, 0), 0);
  DWORD type = 0;
  EXPECT_EQ(StoredValue(&type), "<no key>");
}

TEST_F(UninstallHelper, ExportsOnlyItsEntryPoints) {
  EXPECT_EQ(GetProcAddress(module_, "WriteSetupExtensionValue"), nullptr);
  EXPECT_EQ(GetProcAddress(module_, "_ZN12_GLOBAL__N_124WriteSetupExtensionValueEv"), nullptr);
}

}  // namespace
