#include "module_resources.h"

#include <cstdlib>
#include <mutex>

#include "elf_section.h"
#include "gdi_objects.h"
#include "module_registry.h"
#include "rc_lexer.h"
#include "rc_parser.h"
#include "sigplat/world.h"
#include "unsupported.h"

namespace sigplat::detail {
namespace {

const char kSection[] = ".sigrsrc";

// Per module record: its resources, or null once it is known to have none.
// Guarded by the loader lock, as the records are.
std::map<const ModuleRecord*, std::shared_ptr<ModuleResources>>& Cache() {
  static auto* cache = new std::map<const ModuleRecord*, std::shared_ptr<ModuleResources>>;
  return *cache;
}

void DropResources(const ModuleRecord* record) {
  auto it = Cache().find(record);
  if (it == Cache().end()) return;
  if (it->second) {
    for (const auto& [id, icon] : it->second->sharedIcons) RemoveGdiObject(icon);
  }
  Cache().erase(it);
}

// Reads and parses; null when the module has no resources, throws RcError
// (with the reason) when they are damaged.
std::shared_ptr<ModuleResources> Load(HMODULE handle) {
  char winPath[MAX_PATH];
  DWORD length = GetModuleFileNameA(handle, winPath, sizeof winPath);
  if (length == 0 || length >= sizeof winPath) return nullptr;  // none, or cut short
  std::string posixPath;
  DWORD error = ERROR_SUCCESS;
  // Built-in and named modules have no file; the process's own shared
  // objects have POSIX paths. None of them carries resources.
  if (!MapWindowsPath(winPath, &posixPath, &error)) return nullptr;
  std::string bytes, reason;
  switch (ReadElfSection(posixPath, kSection, &bytes, &reason)) {
    case SectionRead::kAbsent:
      return nullptr;
    case SectionRead::kUnreadable:
      // A module whose file is gone or is no image simply has no resources here.
      return nullptr;
    case SectionRead::kFound:
      break;
  }
  auto resources = std::make_shared<ModuleResources>();
  if (!ReadResourceArchive(bytes, &resources->archive, &reason))
    throw RcError(std::string(winPath) + ": " + reason);
  resources->script = ParseRcScript(resources->archive.script, resources->archive.scriptName);
  auto checkFiles = [&](const std::map<int, std::string>& files, const char* type) {
    for (const auto& [id, file] : files) {
      if (!resources->archive.FindFile(file)) {
        throw RcError(resources->archive.scriptName + ": " + type + " " + std::to_string(id) +
                      ": file \"" + file + "\" is not embedded in " + winPath);
      }
    }
  };
  checkFiles(resources->script.bitmapFiles, "BITMAP");
  checkFiles(resources->script.iconFiles, "ICON");
  return resources;
}

}  // namespace

std::shared_ptr<ModuleResources> ResourcesOf(HINSTANCE module, const char* api) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  static bool hooked = false;
  if (!hooked) {
    AddModuleForgetHook(&DropResources);
    hooked = true;
  }
  const ModuleRecord* record = module ? FindModule(module) : &ExecutableModule();
  if (!record || record->path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  auto cached = Cache().find(record);
  if (cached == Cache().end()) {
    try {
      cached = Cache().emplace(record, Load(module)).first;
    } catch (const RcError& e) {
      ReportFailure(api, e.what(), ERROR_INVALID_DATA);
      return nullptr;
    }
  }
  if (!cached->second) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return cached->second;
}

bool ResourceNumber(LPCSTR name, const char* api, int* id) {
  if (IS_INTRESOURCE(name)) {
    *id = LOWORD(name);
    return true;
  }
  if (name[0] == '#' && name[1] != '\0') {
    char* end = nullptr;
    unsigned long value = std::strtoul(name + 1, &end, 10);
    if (*end == '\0' && value <= 0xFFFF) {
      *id = static_cast<int>(value);
      return true;
    }
  }
  ReportFailure(
      api,
      std::string("resource \"") + name + "\": resources are found by number here, not by name",
      ERROR_RESOURCE_NAME_NOT_FOUND);
  return false;
}

}  // namespace sigplat::detail
