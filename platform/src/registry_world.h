// The registry's process-wide state: the two hives of the current prefix and
// the open key handles. Every function below needs a WorldLock held.
#pragma once

#include <memory>
#include <mutex>

#include "hive.h"
#include "win/registry.h"

namespace sigplat::reg {

// Held for the length of one registry call. Taking it brings the hives up to
// date with the prefix: at the first call, and when the prefix has changed
// (unsaved changes then go to the old prefix first).
class WorldLock {
 public:
  WorldLock();
  WorldLock(const WorldLock&) = delete;
  WorldLock& operator=(const WorldLock&) = delete;

 private:
  std::unique_lock<std::mutex> lock_;
};

// What a handle stands for.
struct KeyRef {
  std::shared_ptr<Key> key;
  int hive = 0;
  REGSAM access = 0;
  bool predefined = false;
  HKEY handle = nullptr;
};

// ERROR_INVALID_HANDLE for a handle that is not open (or a predefined key the
// platform does not keep), ERROR_KEY_DELETED for one whose key is gone.
LONG ResolveHandle(HKEY hKey, KeyRef* ref);
HKEY OpenHandle(std::shared_ptr<Key> key, int hive, REGSAM access, bool madeChanges);
LONG CloseHandle(HKEY hKey);

// Records a change made through ref: the hive is saved when that handle is
// closed, or at once for a predefined handle, which is never closed.
void NoteChange(const KeyRef& ref);

}  // namespace sigplat::reg
