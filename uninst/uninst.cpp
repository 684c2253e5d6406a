// The uninstall helper's two entry points.
#include "uninst/uninst.h"


namespace {

const char kOutlookWindowClass[] = "mspim_wnd32";
const char kExtensionsKey[] = "Software\\Microsoft\\Exchange\\Client\\Extensions";
const char kValueName[] = "Outlook Setup Extension";
const char kValueData[] = "4.0;Outxxx.dll;7;000000000000000;0000000000;OutXXX";

// A key that cannot be opened is passed over: the uninstaller goes on either way.
void WriteSetupExtensionValue() {
  HKEY hKey = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kExtensionsKey, 0,
                    KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &hKey) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(hKey, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(kValueData),
                 sizeof kValueData);
  RegCloseKey(hKey);
}

}  // namespace

DLLEXPORT LONG WINAPI UninstInitialize(DWORD, DWORD, DWORD) {
  if (FindWindowA(kOutlookWindowClass, nullptr)) {
    MessageBoxA(GetFocus(), "Please close Microsoft Outlook before removing Sigilon for Outlook.",
                "Sigilon for Outlook Uninstall", MB_OK | MB_ICONERROR);
    return -1;
  }
  WriteSetupExtensionValue();
  return 0;
}

DLLEXPORT LONG WINAPI UninstUnInitialize(DWORD, DWORD, DWORD) {
  WriteSetupExtensionValue();
  return 0;
}
