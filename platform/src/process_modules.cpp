#include "process_modules.h"

#include <dlfcn.h>
#include <link.h>

#include <string>

#include "sigplat/world.h"

namespace sigplat::detail {
namespace {

struct MappedObject {
  std::string name;
  ElfW(Addr) base;
  DWORD size;
};

int CollectObject(dl_phdr_info* info, size_t, void* data) {
  ElfW(Addr) end = 0;
  ElfW(Addr) start = ~ElfW(Addr){0};
  for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    if (segment.p_vaddr < start) start = segment.p_vaddr;
    if (segment.p_vaddr + segment.p_memsz > end) end = segment.p_vaddr + segment.p_memsz;
  }
  if (start > end) start = end;
  static_cast<std::vector<MappedObject>*>(data)->push_back(
      {info->dlpi_name ? info->dlpi_name : "", info->dlpi_addr, static_cast<DWORD>(end - start)});
  return 0;
}

}  // namespace

std::vector<ProcessModule> ListProcessModules() {
  std::vector<MappedObject> mapped;
  dl_iterate_phdr(CollectObject, &mapped);

  std::vector<ProcessModule> modules;
  auto addMapped = [&](ModuleRecord* record, ElfW(Addr) base) {
    for (const MappedObject& object : mapped) {
      if (object.base == base && !object.name.empty()) {
        modules.push_back({record, reinterpret_cast<BYTE*>(object.base), object.size});
        return;
      }
    }
    modules.push_back({record, nullptr, 0});
  };
  ModuleRecord& exe = ExecutableModule();
  if (!exe.path.empty()) modules.push_back({&exe, nullptr, 0});
  modules.push_back({&Kernel32Module(), nullptr, 0});
  std::vector<ElfW(Addr)> listed;
  for (ModuleRecord* loaded : LoadedModules()) {
    if (loaded->kind != ModuleKind::kLibrary) {
      modules.push_back({loaded, nullptr, 0});
      continue;
    }
    link_map* map = nullptr;
    dlinfo(loaded->dl, RTLD_DI_LINKMAP, &map);
    ElfW(Addr) base = map ? map->l_addr : 0;
    listed.push_back(base);
    addMapped(loaded, base);
  }
  for (ModuleRecord* named : NamedModules()) modules.push_back({named, nullptr, 0});
  for (const MappedObject& object : mapped) {
    // The main program has no name here; it is the host executable above.
    if (object.name.empty()) continue;
    bool already = false;
    for (ElfW(Addr) base : listed) already = already || base == object.base;
    if (already) continue;
    modules.push_back(
        {SharedObjectModule(object.name), reinterpret_cast<BYTE*>(object.base), object.size});
  }
  return modules;
}

}  // namespace sigplat::detail

namespace sigplat {

void AddProcessModule(const std::string& baseName) {
  std::lock_guard<std::recursive_mutex> guard(detail::LoaderLock());
  detail::AddNamedModule(baseName);
}

void ClearProcessModules() {
  std::lock_guard<std::recursive_mutex> guard(detail::LoaderLock());
  detail::ClearNamedModules();
}

}  // namespace sigplat
