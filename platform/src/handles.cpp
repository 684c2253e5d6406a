// Kernel handles: small multiples of four, as Windows hands them out, mapped
// to the objects they stand for.
#include "handles.h"

#include <cstdint>
#include <map>
#include <mutex>

#include "win/error.h"
#include "win/kernel.h"

namespace sigplat::detail {
namespace {

struct HandleTable {
  std::mutex lock;
  std::map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  uintptr_t next = 0x100;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;
  return *table;
}

}  // namespace

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  uintptr_t value = t.next;
  t.next += 4;
  t.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == t.objects.end() ? nullptr : it->second;
}

}  // namespace sigplat::detail

WINBASEAPI BOOL WINAPI CloseHandle(HANDLE hObject) {
  // The current-process pseudo-handle closes without effect, as on Windows.
  if (hObject == GetCurrentProcess()) return TRUE;
  std::shared_ptr<sigplat::detail::KernelObject> object;
  {
    sigplat::detail::HandleTable& t = sigplat::detail::Table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(hObject));
    if (it == t.objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object = std::move(it->second);
    t.objects.erase(it);
  }
  // The object goes outside the lock: destroying it may close a file.
  object.reset();
  return TRUE;
}
