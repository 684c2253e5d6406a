// Detection of the DMS client in the host process. The module list functions
// are looked up at run time, because a system may lack either family.
#include "env/dms_detect.h"

#include <cstring>

#include "env/trace.h"
#include "rules/settings_store.h"

BOOL bDMSActive = FALSE;

namespace {

constexpr DWORD kModuleNameLimit = 100;
constexpr DWORD kMaxModules = 128;

// GetProcAddress gives a generic function pointer; the one cast to the real
// type goes through the type the compilers accept as generic.
template <typename Fn>
Fn LookUp(HMODULE hModule, const char* szName) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(hModule, szName)));
}

BOOL ModuleLoadedNT(const char* szModuleName) {
  const HMODULE hPsapi = LoadLibraryA("PSAPI.DLL");
  if (!hPsapi) return FALSE;
  const auto pfnEnum =
      LookUp<PFN_EnumProcessModules>(hPsapi, "EnumProcessModules");
  const auto pfnBaseName =
      LookUp<PFN_GetModuleBaseNameA>(hPsapi, "GetModuleBaseNameA");
  BOOL bFound = FALSE;
  HMODULE ahModules[kMaxModules];
  DWORD cbNeeded = 0;
  if (pfnEnum && pfnBaseName &&
      pfnEnum(GetCurrentProcess(), ahModules, sizeof ahModules, &cbNeeded)) {
    DWORD nModules = cbNeeded / sizeof(HMODULE);
    if (nModules > kMaxModules) nModules = kMaxModules;
    for (DWORD i = 0; i < nModules; ++i) {
      char szBaseName[kModuleNameLimit] = "";
      if (pfnBaseName(GetCurrentProcess(), ahModules[i], szBaseName, sizeof szBaseName) &&
          _stricmp(szBaseName, szModuleName) == 0) {
        bFound = TRUE;
      }
    }
  }
  FreeLibrary(hPsapi);
  return bFound;
}

BOOL ModuleLoadedToolhelp(const char* szModuleName) {
  const HMODULE hKernel = LoadLibraryA("Kernel32.DLL");
  if (!hKernel) return FALSE;
  const auto pfnSnapshot = LookUp<PFN_CreateToolhelp32Snapshot>(hKernel, "CreateToolhelp32Snapshot");
  const auto pfnFirst = LookUp<PFN_Module32First>(hKernel, "Module32First");
  const auto pfnNext = LookUp<PFN_Module32Next>(hKernel, "Module32Next");
  BOOL bFound = FALSE;
  if (pfnSnapshot && pfnFirst && pfnNext) {
    const HANDLE hSnapshot = pfnSnapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (hSnapshot != INVALID_HANDLE_VALUE) {
      MODULEENTRY32 me;
      std::memset(&me, 0, sizeof me);
      me.dwSize = sizeof me;
      for (BOOL bMore = pfnFirst(hSnapshot, &me); bMore; bMore = pfnNext(hSnapshot, &me)) {
        if (lstrlenA(me.szModule) > 0 && _stricmp(me.szModule, szModuleName) == 0) bFound = TRUE;
        me.dwSize = sizeof me;
      }
      CloseHandle(hSnapshot);
    }
  }
  FreeLibrary(hKernel);
  return bFound;
}

}  // namespace

int CheckDMS() {
  SIGTRACE(TRACE_FUNCTION, "CheckDMS()\r\n");
  HKEY hKey = nullptr;
  if (!OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ | KEY_WRITE, &hKey)) return 0;

  char szModuleName[kModuleNameLimit] = "";
  DWORD cb = 0;
  if (RegQueryValueExA(hKey, "DMSModuleName", nullptr, nullptr, nullptr, &cb) ==
      ERROR_FILE_NOT_FOUND) {
    HKEY hMachine = nullptr;
    if (OpenSettingsKey(HKEY_LOCAL_MACHINE, szSigilonMachineKey, KEY_READ, &hMachine)) {
      ReadRegistryString(hMachine, "DMSModuleName", szModuleName, kModuleNameLimit);
      RegCloseKey(hMachine);
    }
    WriteRegistryString(hKey, "DMSModuleName", szModuleName);
  } else {
    ReadRegistryString(hKey, "DMSModuleName", szModuleName, kModuleNameLimit);
  }
  bStyleLocked = TRUE;
  ReadRegistryFlag(hKey, "StyleLocked", &bStyleLocked);
  RegCloseKey(hKey);

  if (!bStyleLocked || szModuleName[0] == '\0') return 0;

  OSVERSIONINFOA osvi;
  std::memset(&osvi, 0, sizeof osvi);
  osvi.dwOSVersionInfoSize = sizeof osvi;
  if (!GetVersionExA(&osvi)) return 0;
  const BOOL bFound = osvi.dwPlatformId == VER_PLATFORM_WIN32_NT
                          ? ModuleLoadedNT(szModuleName)
                          : ModuleLoadedToolhelp(szModuleName);
  return bFound ? 1 : 0;
}
