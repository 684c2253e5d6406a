// LocalAlloc and LocalFree, fixed blocks only. The blocks handed out are
// tracked so that freeing anything else is caught, not left to corrupt the heap.
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unordered_set>

#include "winapi.h"

namespace {

struct Blocks {
  std::mutex mutex;
  std::unordered_set<void*> live;
};

// Never destroyed: blocks may be freed during other units' static destruction.
Blocks& TheBlocks() {
  static Blocks* blocks = new Blocks();
  return *blocks;
}

}  // namespace

WINBASEAPI HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  if (uFlags & ~static_cast<UINT>(LMEM_FIXED | LMEM_ZEROINIT)) {
    std::fprintf(stderr,
                 "LocalAlloc: flags %#x are not supported; only LMEM_FIXED and "
                 "LMEM_ZEROINIT\n",
                 uFlags);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // A zero-byte fixed block is still a distinct, freeable block.
  SIZE_T size = uBytes ? uBytes : 1;
  void* block = (uFlags & LMEM_ZEROINIT) ? std::calloc(1, size) : std::malloc(size);
  if (!block) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Blocks& blocks = TheBlocks();
  std::lock_guard<std::mutex> lock(blocks.mutex);
  blocks.live.insert(block);
  return block;
}

WINBASEAPI HLOCAL WINAPI LocalFree(HLOCAL hMem) {
  if (!hMem) return nullptr;
  Blocks& blocks = TheBlocks();
  {
    std::lock_guard<std::mutex> lock(blocks.mutex);
    if (blocks.live.erase(hMem) == 0) {
      std::fprintf(stderr, "LocalFree: %p was not allocated by LocalAlloc or is already free\n",
                   hMem);
      SetLastError(ERROR_INVALID_HANDLE);
      return hMem;
    }
  }
  std::free(hMem);
  return nullptr;
}
