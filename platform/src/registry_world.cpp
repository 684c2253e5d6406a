#include "registry_world.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "hive_store.h"
#include "reg_file.h"
#include "sigplat/registry_host.h"
#include "sigplat/world.h"
#include "win/error.h"

namespace sigplat::reg {
namespace {

constexpr int kHiveCount = 2;

struct HiveSlot {
  const char* rootName;
  const char* fileName;
  HKEY predefined;
  Hive hive;
  std::string path;  // the file the hive was read from; empty while not loaded
  bool dirty = false;
  bool writable = true;  // false when the file exists but could not be read
};

struct Handle {
  std::shared_ptr<Key> key;
  int hive = 0;
  REGSAM access = 0;
  bool madeChanges = false;
  unsigned generation = 0;  // handles of hives since forgotten refer to nothing
};

struct World {
  std::mutex mutex;
  bool loaded = false;
  std::string prefix;
  unsigned generation = 0;
  HiveSlot hives[kHiveCount] = {
      {"HKEY_LOCAL_MACHINE", "machine.reg", HKEY_LOCAL_MACHINE, {}, {}, false, true},
      {"HKEY_CURRENT_USER", "user.reg", HKEY_CURRENT_USER, {}, {}, false, true},
  };
  std::map<uintptr_t, Handle> handles;
  uintptr_t nextHandle = 0x1000;
  std::vector<std::string> diagnostics;
  bool crashBeforeRename = false;
};

// Never destroyed: the unload flush below and late callers still need it.
World& TheWorld() {
  static World* world = new World();
  return *world;
}

void SaveHive(World& world, HiveSlot& slot) {
  if (!slot.dirty) return;
  if (slot.path.empty() || !slot.writable) {
    std::fprintf(stderr, "registry: %s not saved: its file %s could not be read\n", slot.rootName,
                 slot.path.empty() ? "(no prefix)" : slot.path.c_str());
    return;
  }
  std::string error;
  if (!WriteHiveFileAtomically(slot.path, FormatRegFile(slot.hive, slot.rootName),
                               world.crashBeforeRename, &error)) {
    std::fprintf(stderr, "registry: %s not saved: %s\n", slot.rootName, error.c_str());
    return;
  }
  if (!world.crashBeforeRename) slot.dirty = false;
}

void SaveAll(World& world) {
  for (HiveSlot& slot : world.hives) SaveHive(world, slot);
}

void Forget(World& world) {
  for (HiveSlot& slot : world.hives) {
    slot.hive = Hive{};
    slot.path.clear();
    slot.dirty = false;
    slot.writable = true;
  }
  world.loaded = false;
  ++world.generation;
  world.diagnostics.clear();
}

void LoadAll(World& world, const std::string& prefix) {
  world.prefix = prefix;
  world.loaded = true;
  if (prefix.empty()) {
    std::fprintf(stderr, "registry: no prefix; the hives live in memory only\n");
  }
  for (HiveSlot& slot : world.hives) {
    slot.hive.root = std::make_shared<Key>(slot.rootName, nullptr);
    if (prefix.empty()) continue;
    slot.path = prefix + "/" + slot.fileName;
    if (RemoveStaleTemporary(slot.path)) {
      std::fprintf(stderr, "registry: removed %s.tmp left by an interrupted save\n",
                   slot.path.c_str());
    }
    std::string bytes;
    std::string error;
    size_t firstNew = world.diagnostics.size();
    if (!ReadHiveFile(slot.path, &bytes, &error)) {
      slot.writable = false;
      world.diagnostics.push_back(slot.path + ":0: " + error);
    } else {
      ParseRegFile(bytes, slot.path, slot.rootName, &slot.hive, &world.diagnostics);
    }
    for (size_t i = firstNew; i < world.diagnostics.size(); ++i) {
      std::fprintf(stderr, "registry: %s\n", world.diagnostics[i].c_str());
    }
  }
}

// The predefined keys Windows has and this platform does not keep.
bool IsOtherPredefined(HKEY hKey) {
  auto value = reinterpret_cast<LONG_PTR>(hKey);
  return value >= static_cast<LONG>(0x80000000) && value <= static_cast<LONG>(0x800000FF);
}

// Keeps the unsaved changes of a run that ends without FlushRegistry.
struct FlushAtUnload {
  ~FlushAtUnload() { sigplat::FlushRegistry(); }
} g_flushAtUnload;

}  // namespace

WorldLock::WorldLock() {
  // Asked before locking: the prefix is another unit's and may take its own lock.
  std::string prefix = sigplat::GetPrefix();
  World& world = TheWorld();
  lock_ = std::unique_lock<std::mutex>(world.mutex);
  if (world.loaded && world.prefix == prefix) return;
  if (world.loaded) {
    SaveAll(world);
    Forget(world);
  }
  LoadAll(world, prefix);
}

LONG ResolveHandle(HKEY hKey, KeyRef* ref) {
  World& world = TheWorld();
  for (int i = 0; i < kHiveCount; ++i) {
    if (hKey == world.hives[i].predefined) {
      *ref = KeyRef{world.hives[i].hive.root, i, KEY_ALL_ACCESS, true, hKey};
      return ERROR_SUCCESS;
    }
  }
  if (IsOtherPredefined(hKey)) {
    std::fprintf(stderr,
                 "registry: predefined key %#lx is not kept here; only HKEY_LOCAL_MACHINE and "
                 "HKEY_CURRENT_USER exist\n",
                 static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hKey) & 0xFFFFFFFFu));
    return ERROR_INVALID_HANDLE;
  }
  auto it = world.handles.find(reinterpret_cast<uintptr_t>(hKey));
  if (it == world.handles.end()) return ERROR_INVALID_HANDLE;
  const Handle& handle = it->second;
  if (handle.generation != world.generation || handle.key->IsDeleted()) return ERROR_KEY_DELETED;
  *ref = KeyRef{handle.key, handle.hive, handle.access, false, hKey};
  return ERROR_SUCCESS;
}

HKEY OpenHandle(std::shared_ptr<Key> key, int hive, REGSAM access, bool madeChanges) {
  World& world = TheWorld();
  uintptr_t id = world.nextHandle;
  world.nextHandle += 4;  // never reused, so a closed handle stays invalid
  world.handles[id] = Handle{std::move(key), hive, access, madeChanges, world.generation};
  if (madeChanges) world.hives[hive].dirty = true;
  return reinterpret_cast<HKEY>(id);
}

LONG CloseHandle(HKEY hKey) {
  World& world = TheWorld();
  for (const HiveSlot& slot : world.hives) {
    if (hKey == slot.predefined) return ERROR_SUCCESS;
  }
  auto it = world.handles.find(reinterpret_cast<uintptr_t>(hKey));
  if (it == world.handles.end()) return ERROR_INVALID_HANDLE;
  Handle handle = std::move(it->second);
  world.handles.erase(it);
  if (handle.madeChanges && handle.generation == world.generation) {
    SaveHive(world, world.hives[handle.hive]);
  }
  return ERROR_SUCCESS;
}

void NoteChange(const KeyRef& ref) {
  World& world = TheWorld();
  HiveSlot& slot = world.hives[ref.hive];
  slot.dirty = true;
  if (ref.predefined) {
    SaveHive(world, slot);
    return;
  }
  world.handles[reinterpret_cast<uintptr_t>(ref.handle)].madeChanges = true;
}

}  // namespace sigplat::reg

namespace sigplat {

SIGPLAT_API void FlushRegistry() {
  reg::World& world = reg::TheWorld();
  std::lock_guard<std::mutex> lock(world.mutex);
  reg::SaveAll(world);
}

SIGPLAT_API void ReloadRegistry() {
  reg::World& world = reg::TheWorld();
  std::lock_guard<std::mutex> lock(world.mutex);
  reg::Forget(world);
}

SIGPLAT_API void SimulateCrashBeforeRename(bool on) {
  reg::World& world = reg::TheWorld();
  std::lock_guard<std::mutex> lock(world.mutex);
  world.crashBeforeRename = on;
}

SIGPLAT_API std::vector<std::string> RegistryDiagnostics() {
  reg::WorldLock lock;
  return reg::TheWorld().diagnostics;
}

}  // namespace sigplat
