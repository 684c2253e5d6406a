// The system libraries the platform provides itself. Their exports are the
// platform's own functions; loading them only counts.
#include "builtin_exports.h"
#include "module_registry.h"
#include "path_map.h"
#include "winapi.h"

namespace sigplat::detail {
namespace {

template <class F>
FARPROC AsFarProc(F* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

#define EXPORT(fn) \
  { #fn, AsFarProc(&fn) }

const std::vector<BuiltinExport>& Kernel32Exports() {
  static const auto* exports = new std::vector<BuiltinExport>{
      EXPORT(CloseHandle),
      EXPORT(CreateDirectoryA),
      EXPORT(CreateFileA),
      {"CreateToolhelp32Snapshot", AsFarProc(&detail::CreateToolhelp32Snapshot)},
      EXPORT(DebugBreak),
      EXPORT(DeleteFileA),
      EXPORT(FlushFileBuffers),
      EXPORT(FreeLibrary),
      EXPORT(GetCurrentProcess),
      EXPORT(GetCurrentProcessId),
      EXPORT(GetCurrentThreadId),
      EXPORT(GetFileAttributesA),
      EXPORT(GetFileSize),
      EXPORT(GetLastError),
      EXPORT(GetModuleFileNameA),
      EXPORT(GetModuleHandleA),
      EXPORT(GetProcAddress),
      EXPORT(GetTickCount),
      EXPORT(GetVersionExA),
      EXPORT(InterlockedDecrement),
      EXPORT(InterlockedIncrement),
      EXPORT(IsDebuggerPresent),
      EXPORT(LoadLibraryA),
      {"Module32First", AsFarProc(&detail::Module32First)},
      {"Module32Next", AsFarProc(&detail::Module32Next)},
      EXPORT(OutputDebugStringA),
      EXPORT(ReadFile),
      EXPORT(SetFilePointer),
      EXPORT(SetLastError),
      EXPORT(WriteFile),
      EXPORT(lstrlenA),
  };
  return *exports;
}

const std::vector<BuiltinExport>& PsapiExports() {
  static const auto* exports = new std::vector<BuiltinExport>{
      {"EnumProcessModules", AsFarProc(&detail::EnumProcessModules)},
      {"GetModuleBaseNameA", AsFarProc(&detail::GetModuleBaseNameA)},
  };
  return *exports;
}

#undef EXPORT

ModuleRecord MakeBuiltin(const char* baseName, const std::vector<BuiltinExport>& exports) {
  ModuleRecord record;
  record.kind = ModuleKind::kBuiltin;
  record.baseName = baseName;
  record.path = std::string("C:\\Windows\\System32\\") + baseName;
  record.exports = &exports;
  return record;
}

ModuleRecord& Psapi() {
  static auto* record = new ModuleRecord(MakeBuiltin("psapi.dll", PsapiExports()));
  return *record;
}

}  // namespace

ModuleRecord& Kernel32Module() {
  static auto* record = new ModuleRecord(MakeBuiltin("kernel32.dll", Kernel32Exports()));
  return *record;
}

std::vector<ModuleRecord*> BuiltinModules() { return {&Kernel32Module(), &Psapi()}; }

ModuleRecord* FindBuiltin(const std::string& fileName) {
  for (ModuleRecord* builtin : BuiltinModules()) {
    if (EqualsIgnoreCase(builtin->baseName, fileName)) return builtin;
  }
  return nullptr;
}

}  // namespace sigplat::detail
