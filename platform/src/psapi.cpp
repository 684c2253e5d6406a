// The process-status functions of "PSAPI.DLL", for the current process only.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "builtin_exports.h"
#include "process_modules.h"
#include "winapi.h"

namespace sigplat::detail {

bool IsCurrentProcess(HANDLE hProcess) {
  return hProcess == GetCurrentProcess() ||
         reinterpret_cast<uintptr_t>(hProcess) == static_cast<uintptr_t>(getpid());
}

namespace {

bool CheckProcess(const char* function, HANDLE hProcess) {
  if (IsCurrentProcess(hProcess)) return true;
  std::fprintf(stderr, "sigplat: %s: only the current process can be inspected\n", function);
  SetLastError(ERROR_INVALID_HANDLE);
  return false;
}

}  // namespace

BOOL WINAPI EnumProcessModules(HANDLE hProcess, HMODULE* lphModule, DWORD cb, LPDWORD lpcbNeeded) {
  if (!CheckProcess("EnumProcessModules", hProcess)) return FALSE;
  if (!lpcbNeeded || (cb && !lphModule)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  std::vector<ProcessModule> modules = ListProcessModules();
  size_t room = cb / sizeof(HMODULE);
  for (size_t i = 0; i < modules.size() && i < room; ++i)
    lphModule[i] = ToHandle(modules[i].record);
  *lpcbNeeded = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
  return TRUE;
}

DWORD WINAPI GetModuleBaseNameA(HANDLE hProcess, HMODULE hModule, LPSTR lpBaseName, DWORD nSize) {
  if (!CheckProcess("GetModuleBaseNameA", hProcess)) return 0;
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  ModuleRecord* record = hModule ? FindModule(hModule) : &ExecutableModule();
  if (!record || record->baseName.empty()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!lpBaseName || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  size_t length = std::min<size_t>(record->baseName.size(), nSize - 1);
  std::memcpy(lpBaseName, record->baseName.data(), length);
  lpBaseName[length] = '\0';
  return static_cast<DWORD>(length);
}

}  // namespace sigplat::detail
