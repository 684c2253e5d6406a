// LoadLibraryA and friends over the dynamic linker. A library is a real ELF
// shared object placed in the Windows world; loading it runs its DllMain as the
// Windows loader does, and freeing it unloads it for real, so that a second
// load starts with fresh globals.
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "module_registry.h"
#include "path_map.h"
#include "winapi.h"

namespace sigplat::detail {
namespace {

using DllMainFunction = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

template <class T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

// "name" -> "name.dll"; a trailing dot says the name has no extension.
std::string WithDefaultExtension(std::string name) {
  size_t lastSeparator = name.find_last_of("\\/");
  size_t start = lastSeparator == std::string::npos ? 0 : lastSeparator + 1;
  if (!name.empty() && name.back() == '.') {
    name.pop_back();
  } else if (name.find('.', start) == std::string::npos) {
    name += ".dll";
  }
  return name;
}

const link_map* LinkMapOf(void* dl) {
  link_map* map = nullptr;
  return dlinfo(dl, RTLD_DI_LINKMAP, &map) == 0 ? map : nullptr;
}

// The symbol, if this very object defines it: dlsym also searches the
// object's dependencies, GetProcAddress only the module's own exports.
void* OwnSymbol(void* dl, const char* name) {
  void* symbol = dlsym(dl, name);
  if (!symbol) return nullptr;
  Dl_info info{};
  link_map* owner = nullptr;
  if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP)) return nullptr;
  return owner == LinkMapOf(dl) ? symbol : nullptr;
}

// Windows refuses anything but an image for its own machine with
// ERROR_BAD_EXE_FORMAT; here that is an ELF shared object like the platform.
bool IsLoadableImage(const std::string& posixPath) {
  int fd = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ElfW(Ehdr) header{};
  bool complete = read(fd, &header, sizeof header) == static_cast<ssize_t>(sizeof header);
  close(fd);
  Dl_info self{};
  dladdr(reinterpret_cast<void*>(&LoadLibraryA), &self);
  const auto* own = static_cast<const ElfW(Ehdr)*>(self.dli_fbase);
  return complete && std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
         header.e_ident[EI_CLASS] == own->e_ident[EI_CLASS] && header.e_type == ET_DYN &&
         header.e_machine == own->e_machine;
}

DllMainFunction EntryPoint(const ModuleRecord& record) {
  void* symbol = OwnSymbol(record.dl, "DllMain");
  return reinterpret_cast<DllMainFunction>(symbol);
}

void Unload(ModuleRecord* record) {
  std::string posixPath = record->posixPath;
  std::string name = record->path;
  void* dl = record->dl;
  ForgetLibrary(record);
  if (dlclose(dl) != 0) {
    std::fprintf(stderr, "sigplat: FreeLibrary: dlclose of %s failed: %s\n", name.c_str(),
                 dlerror());
    return;
  }
  if (void* still = dlopen(posixPath.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
    dlclose(still);
    std::fprintf(stderr,
                 "sigplat: FreeLibrary: %s stayed in the process after its last FreeLibrary "
                 "(another object binds to its symbols); a new load will see its old globals\n",
                 name.c_str());
  }
}

HMODULE LoadFromPath(const std::string& winPath, const std::string& posixPath) {
  for (ModuleRecord* loaded : LoadedModules()) {
    if (loaded->kind == ModuleKind::kLibrary && EqualsIgnoreCase(loaded->path, winPath)) {
      ++loaded->loadCount;
      return ToHandle(loaded);
    }
  }
  struct stat st {};
  if (stat(posixPath.c_str(), &st) != 0) return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
  if (S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED, HMODULE{});
  if (!IsLoadableImage(posixPath)) return Fail(ERROR_BAD_EXE_FORMAT, HMODULE{});

  void* dl = dlopen(posixPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!dl) {
    // Windows reports a missing dependency as a missing module.
    std::fprintf(stderr, "sigplat: LoadLibraryA(\"%s\"): %s\n", winPath.c_str(), dlerror());
    return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
  }
  for (ModuleRecord* loaded : LoadedModules()) {
    // The same file under another Windows name is the same module.
    if (loaded->dl == dl) {
      dlclose(dl);
      ++loaded->loadCount;
      return ToHandle(loaded);
    }
  }
  auto fresh = std::make_unique<ModuleRecord>();
  fresh->kind = ModuleKind::kLibrary;
  fresh->path = winPath;
  fresh->baseName = WindowsBaseName(winPath);
  fresh->posixPath = posixPath;
  fresh->dl = dl;
  fresh->loadCount = 1;
  ModuleRecord* record = AdoptLibrary(std::move(fresh));
  if (DllMainFunction dllMain = EntryPoint(*record)) {
    if (!dllMain(ToHandle(record), DLL_PROCESS_ATTACH, nullptr)) {
      dllMain(ToHandle(record), DLL_PROCESS_DETACH, nullptr);
      Unload(record);
      return Fail(ERROR_DLL_INIT_FAILED, HMODULE{});
    }
  }
  return ToHandle(record);
}

bool IsRegularFile(const std::string& posixPath) {
  struct stat st {};
  return stat(posixPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A bare name: the modules already loaded, the built-ins, then the folder of
// the executable and the system folders.
HMODULE LoadByName(const std::string& fileName) {
  for (ModuleRecord* loaded : LoadedModules()) {
    if (EqualsIgnoreCase(loaded->baseName, fileName)) {
      ++loaded->loadCount;
      return ToHandle(loaded);
    }
  }
  if (ModuleRecord* builtin = FindBuiltin(fileName)) {
    if (builtin->loadCount++ == 0 && builtin != &Kernel32Module())
      LoadedModules().push_back(builtin);
    return ToHandle(builtin);
  }
  std::vector<std::string> folders;
  if (!ExecutableModule().path.empty()) folders.push_back(WindowsDirName(ExecutableModule().path));
  folders.push_back("C:\\Windows\\System32");
  folders.push_back("C:\\Windows");
  for (const std::string& folder : folders) {
    std::string candidate = folder;
    if (candidate.back() != '\\') candidate += '\\';
    candidate += fileName;
    WindowsPath parsed;
    DWORD error = ERROR_SUCCESS;
    if (!ParseWindowsPath(candidate.c_str(), &parsed, &error)) continue;
    std::string posixPath = ResolvePosixPath(parsed);
    if (IsRegularFile(posixPath)) return LoadFromPath(FormatWindowsPath(parsed), posixPath);
  }
  return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
}

bool HasFolder(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

DWORD CopyTruncated(const std::string& text, LPSTR buffer, DWORD size) {
  if (size == 0) return Fail(ERROR_INSUFFICIENT_BUFFER, DWORD{0});
  if (text.size() < size) {
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
  }
  // As Windows Vista and later: cut, terminated, the full size returned.
  std::memcpy(buffer, text.data(), size - 1);
  buffer[size - 1] = '\0';
  return Fail(ERROR_INSUFFICIENT_BUFFER, size);
}

}  // namespace
}  // namespace sigplat::detail

using namespace sigplat::detail;

WINBASEAPI HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) return Fail(ERROR_INVALID_PARAMETER, HMODULE{});
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  std::string name = WithDefaultExtension(lpLibFileName);
  if (!HasFolder(name)) return LoadByName(name);
  WindowsPath parsed;
  DWORD error = ERROR_SUCCESS;
  if (!ParseWindowsPath(name.c_str(), &parsed, &error)) return Fail(error, HMODULE{});
  return LoadFromPath(FormatWindowsPath(parsed), ResolvePosixPath(parsed));
}

WINBASEAPI BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  ModuleRecord* record = FindModule(hLibModule);
  if (!record) return Fail(ERROR_MOD_NOT_FOUND, FALSE);
  if (record->kind == ModuleKind::kBuiltin) {
    if (record->loadCount > 0 && --record->loadCount == 0) {
      auto& order = LoadedModules();
      order.erase(std::remove(order.begin(), order.end(), record), order.end());
    }
    return TRUE;
  }
  // Modules the program did not load itself are never unloaded, as on Windows.
  if (record->kind != ModuleKind::kLibrary || --record->loadCount > 0) return TRUE;
  if (DllMainFunction dllMain = EntryPoint(*record))
    dllMain(ToHandle(record), DLL_PROCESS_DETACH, nullptr);
  Unload(record);
  return TRUE;
}

WINBASEAPI FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  ModuleRecord* record = hModule ? FindModule(hModule) : &ExecutableModule();
  if (!record || (record->kind == ModuleKind::kExecutable && record->path.empty()))
    return Fail(ERROR_MOD_NOT_FOUND, FARPROC{});
  if (IS_INTRESOURCE(lpProcName)) {
    std::fprintf(stderr, "sigplat: GetProcAddress(%s, #%u): lookup by ordinal is not supported\n",
                 record->baseName.c_str(), static_cast<unsigned>(LOWORD(lpProcName)));
    return Fail(ERROR_PROC_NOT_FOUND, FARPROC{});
  }
  switch (record->kind) {
    case ModuleKind::kLibrary:
      if (void* symbol = OwnSymbol(record->dl, lpProcName))
        return reinterpret_cast<FARPROC>(symbol);
      return Fail(ERROR_PROC_NOT_FOUND, FARPROC{});
    case ModuleKind::kBuiltin:
      for (const BuiltinExport& entry : *record->exports) {
        if (std::strcmp(entry.name, lpProcName) == 0) return entry.function;
      }
      // The real library may well export it: say so rather than fail quietly.
      std::fprintf(stderr, "sigplat: GetProcAddress: the platform's %s does not provide \"%s\"\n",
                   record->baseName.c_str(), lpProcName);
      return Fail(ERROR_PROC_NOT_FOUND, FARPROC{});
    default:
      std::fprintf(stderr, "sigplat: GetProcAddress(%s, \"%s\"): this module has no exports here\n",
                   record->baseName.c_str(), lpProcName);
      return Fail(ERROR_PROC_NOT_FOUND, FARPROC{});
  }
}

WINBASEAPI DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  ModuleRecord* record = hModule ? FindModule(hModule) : &ExecutableModule();
  if (!record) return Fail(ERROR_MOD_NOT_FOUND, DWORD{0});
  if (record->path.empty()) {
    std::fprintf(stderr, "sigplat: GetModuleFileNameA: the host has not set its executable path\n");
    return Fail(ERROR_MOD_NOT_FOUND, DWORD{0});
  }
  return CopyTruncated(ModuleFileName(*record), lpFilename, nSize);
}

WINBASEAPI HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  if (!lpModuleName) {
    ModuleRecord& exe = ExecutableModule();
    if (exe.path.empty()) {
      std::fprintf(stderr, "sigplat: GetModuleHandleA: the host has not set its executable path\n");
      return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
    }
    return ToHandle(&exe);
  }
  std::string name = WithDefaultExtension(lpModuleName);
  bool byPath = HasFolder(name);
  if (byPath) {
    WindowsPath parsed;
    DWORD error = ERROR_SUCCESS;
    if (!ParseWindowsPath(name.c_str(), &parsed, &error)) return Fail(error, HMODULE{});
    name = FormatWindowsPath(parsed);
  }
  std::vector<ModuleRecord*> candidates = LoadedModules();
  candidates.insert(candidates.begin(), &Kernel32Module());
  candidates.insert(candidates.begin(), &ExecutableModule());
  for (ModuleRecord* named : NamedModules()) candidates.push_back(named);
  for (ModuleRecord* record : candidates) {
    if (record->path.empty()) continue;
    if (EqualsIgnoreCase(byPath ? record->path : record->baseName, name)) return ToHandle(record);
  }
  return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
}
