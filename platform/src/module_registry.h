// The modules of the simulated process. An HMODULE is a pointer to one of
// these records, never a dlopen handle, so that the resource functions and the
// module lists can tell what it stands for.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "win/base.h"

namespace sigplat::detail {

enum class ModuleKind {
  kExecutable,    // the host program (SetExecutablePath)
  kLibrary,       // a shared object loaded by LoadLibraryA
  kBuiltin,       // a system library the platform itself provides
  kNamed,         // a name added by AddProcessModule, with no code behind it
  kSharedObject,  // one of the process's real shared objects
};

struct BuiltinExport {
  const char* name;
  FARPROC function;
};

struct ModuleRecord {
  ModuleKind kind;
  std::string path;       // Windows path; the POSIX path for kSharedObject
  std::string baseName;   // "Sigil32.dll", "libc.so.6"
  std::string posixPath;  // what was given to dlopen (kLibrary)
  void* dl = nullptr;     // dlopen handle (kLibrary)
  int loadCount = 0;      // kLibrary and kBuiltin
  const std::vector<BuiltinExport>* exports = nullptr;  // kBuiltin
};

// Held while a module is looked up, loaded or unloaded, and while DllMain
// runs, as Windows holds its loader lock; recursive so DllMain may load.
std::recursive_mutex& LoaderLock();

inline HMODULE ToHandle(ModuleRecord* record) { return reinterpret_cast<HMODULE>(record); }

// The record an HMODULE stands for, or null for a handle that is not (or no
// longer) a module of the process. Caller holds the loader lock.
ModuleRecord* FindModule(HMODULE handle);

// The host executable's record; its path is empty until the host sets it.
ModuleRecord& ExecutableModule();

// Libraries and loaded built-ins, in the order they were loaded.
std::vector<ModuleRecord*>& LoadedModules();

// Takes ownership of a newly loaded library and appends it to the load order.
ModuleRecord* AdoptLibrary(std::unique_ptr<ModuleRecord> record);
// Removes a library from the load order and destroys its record.
void ForgetLibrary(ModuleRecord* record);

// The built-in system library of that file name ("psapi.dll", any case).
ModuleRecord* FindBuiltin(const std::string& fileName);
// kernel32.dll, which every process has loaded.
ModuleRecord& Kernel32Module();

// Every built-in library, loaded or not.
std::vector<ModuleRecord*> BuiltinModules();

// Names added by AddProcessModule, in order.
std::vector<ModuleRecord*> NamedModules();
void AddNamedModule(const std::string& baseName);
void ClearNamedModules();

// The record for one of the real shared objects, created once per path and
// kept, so that its handle stays valid between two enumerations.
ModuleRecord* SharedObjectModule(const std::string& posixPath);

// Called, under the loader lock, for a record about to be destroyed or to
// stand for another file, so that what is kept per module (its resources)
// goes with it.
using ModuleForgetHook = void (*)(const ModuleRecord* record);
void AddModuleForgetHook(ModuleForgetHook hook);

// The Windows path GetModuleFileNameA reports for a record.
std::string ModuleFileName(const ModuleRecord& record);

}  // namespace sigplat::detail
