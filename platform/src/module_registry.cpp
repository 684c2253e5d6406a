#include "module_registry.h"

#include <algorithm>
#include <map>

#include "path_map.h"
#include "sigplat/world.h"

namespace sigplat::detail {
namespace {

struct Registry {
  std::recursive_mutex lock;
  ModuleRecord executable{ModuleKind::kExecutable, "", "", "", nullptr, 0, nullptr};
  std::vector<std::unique_ptr<ModuleRecord>> libraries;
  std::vector<ModuleRecord*> loadOrder;
  std::vector<std::unique_ptr<ModuleRecord>> named;
  std::map<std::string, std::unique_ptr<ModuleRecord>> sharedObjects;
  std::vector<ModuleForgetHook> forgetHooks;
};

Registry& State() {
  static Registry* registry = new Registry;
  return *registry;
}

template <class Container>
bool Holds(const Container& records, const ModuleRecord* record) {
  return std::any_of(records.begin(), records.end(),
                     [&](const auto& owned) { return owned.get() == record; });
}

void Forget(const ModuleRecord* record) {
  for (ModuleForgetHook hook : State().forgetHooks) hook(record);
}

}  // namespace

void AddModuleForgetHook(ModuleForgetHook hook) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  auto& hooks = State().forgetHooks;
  if (std::find(hooks.begin(), hooks.end(), hook) == hooks.end()) hooks.push_back(hook);
}

std::recursive_mutex& LoaderLock() { return State().lock; }

ModuleRecord* FindModule(HMODULE handle) {
  Registry& r = State();
  auto* record = reinterpret_cast<ModuleRecord*>(handle);
  if (!record) return nullptr;
  if (record == &r.executable) return r.executable.path.empty() ? nullptr : record;
  for (ModuleRecord* builtin : BuiltinModules()) {
    if (builtin == record) return record;
  }
  if (Holds(r.libraries, record) || Holds(r.named, record)) return record;
  for (const auto& [path, shared] : r.sharedObjects) {
    if (shared.get() == record) return record;
  }
  return nullptr;
}

ModuleRecord& ExecutableModule() { return State().executable; }

std::vector<ModuleRecord*>& LoadedModules() { return State().loadOrder; }

ModuleRecord* AdoptLibrary(std::unique_ptr<ModuleRecord> record) {
  Registry& r = State();
  r.libraries.push_back(std::move(record));
  r.loadOrder.push_back(r.libraries.back().get());
  return r.libraries.back().get();
}

void ForgetLibrary(ModuleRecord* record) {
  Registry& r = State();
  Forget(record);
  r.loadOrder.erase(std::remove(r.loadOrder.begin(), r.loadOrder.end(), record), r.loadOrder.end());
  r.libraries.erase(std::remove_if(r.libraries.begin(), r.libraries.end(),
                                   [&](const auto& owned) { return owned.get() == record; }),
                    r.libraries.end());
}

std::vector<ModuleRecord*> NamedModules() {
  std::vector<ModuleRecord*> records;
  for (const auto& owned : State().named) records.push_back(owned.get());
  return records;
}

void AddNamedModule(const std::string& baseName) {
  auto record = std::make_unique<ModuleRecord>();
  record->kind = ModuleKind::kNamed;
  record->baseName = baseName;
  record->path = "C:\\Windows\\System32\\" + baseName;
  State().named.push_back(std::move(record));
}

void ClearNamedModules() {
  for (const auto& owned : State().named) Forget(owned.get());
  State().named.clear();
}

ModuleRecord* SharedObjectModule(const std::string& posixPath) {
  auto& slot = State().sharedObjects[posixPath];
  if (!slot) {
    slot = std::make_unique<ModuleRecord>();
    slot->kind = ModuleKind::kSharedObject;
    slot->path = posixPath;
    slot->posixPath = posixPath;
    slot->baseName = posixPath.substr(posixPath.find_last_of('/') + 1);
  }
  return slot.get();
}

std::string ModuleFileName(const ModuleRecord& record) { return record.path; }

}  // namespace sigplat::detail

namespace sigplat {

void SetExecutablePath(const std::string& winPath) {
  std::lock_guard<std::recursive_mutex> guard(detail::LoaderLock());
  detail::ModuleRecord& exe = detail::ExecutableModule();
  detail::Forget(&exe);
  exe.path = winPath;
  exe.baseName = detail::WindowsBaseName(winPath);
}

}  // namespace sigplat
