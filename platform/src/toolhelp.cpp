// Tool-help module snapshots: a copy of the module list taken once, walked
// with Module32First and Module32Next, closed with CloseHandle.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "builtin_exports.h"
#include "handles.h"
#include "process_modules.h"
#include "winapi.h"

namespace sigplat::detail {
namespace {

struct SnapshotEntry {
  HMODULE handle;
  std::string name;
  std::string path;
  BYTE* base;
  DWORD size;
  DWORD usage;
};

class ModuleSnapshot : public KernelObject {
 public:
  std::vector<SnapshotEntry> entries;
  size_t next = 0;
};

void CopyBounded(char* target, size_t capacity, const std::string& text) {
  size_t length = std::min(text.size(), capacity - 1);
  std::memcpy(target, text.data(), length);
  target[length] = '\0';
}

BOOL Fill(HANDLE hSnapshot, LPMODULEENTRY32 lpme, bool first) {
  auto snapshot = LookupHandleAs<ModuleSnapshot>(hSnapshot);
  if (!snapshot) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!lpme) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (lpme->dwSize < sizeof(MODULEENTRY32)) {
    SetLastError(ERROR_BAD_LENGTH);
    return FALSE;
  }
  if (first) snapshot->next = 0;
  if (snapshot->next >= snapshot->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  const SnapshotEntry& entry = snapshot->entries[snapshot->next++];
  lpme->th32ModuleID = 1;  // as Windows, which no longer numbers modules
  lpme->th32ProcessID = static_cast<DWORD>(getpid());
  lpme->GlblcntUsage = entry.usage;
  lpme->ProccntUsage = entry.usage;
  lpme->modBaseAddr = entry.base;
  lpme->modBaseSize = entry.size;
  lpme->hModule = entry.handle;
  CopyBounded(lpme->szModule, sizeof lpme->szModule, entry.name);
  CopyBounded(lpme->szExePath, sizeof lpme->szExePath, entry.path);
  return TRUE;
}

}  // namespace

HANDLE WINAPI CreateToolhelp32Snapshot(DWORD dwFlags, DWORD th32ProcessID) {
  constexpr DWORD kModules = TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32;
  if (!(dwFlags & TH32CS_SNAPMODULE) || (dwFlags & ~kModules)) {
    std::fprintf(stderr,
                 "sigplat: CreateToolhelp32Snapshot: only module snapshots are supported\n");
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (th32ProcessID != 0 && th32ProcessID != static_cast<DWORD>(getpid())) {
    std::fprintf(stderr, "sigplat: CreateToolhelp32Snapshot: only the current process is known\n");
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  auto snapshot = std::make_shared<ModuleSnapshot>();
  {
    std::lock_guard<std::recursive_mutex> guard(LoaderLock());
    for (const ProcessModule& module : ListProcessModules()) {
      const ModuleRecord& record = *module.record;
      // Windows reports 0xFFFF for modules that cannot be unloaded.
      DWORD usage =
          record.kind == ModuleKind::kLibrary ? static_cast<DWORD>(record.loadCount) : 0xFFFF;
      snapshot->entries.push_back({ToHandle(module.record), record.baseName, ModuleFileName(record),
                                   module.base, module.size, usage});
    }
  }
  return InsertHandle(std::move(snapshot));
}

BOOL WINAPI Module32First(HANDLE hSnapshot, LPMODULEENTRY32 lpme) {
  return Fill(hSnapshot, lpme, true);
}

BOOL WINAPI Module32Next(HANDLE hSnapshot, LPMODULEENTRY32 lpme) {
  return Fill(hSnapshot, lpme, false);
}

}  // namespace sigplat::detail
