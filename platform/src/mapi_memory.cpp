// MAPI's memory: blocks from MAPIAllocateBuffer, each owning the blocks
// allocated "more" onto it, all freed by one MAPIFreeBuffer of the first.
// Every block is tracked, so a free of anything else is reported instead of
// corrupting the heap.
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "sigplat/mapi_memory.h"
#include "winapi.h"

namespace {

struct Chains {
  std::mutex mutex;
  // First block -> the blocks allocated onto it.
  std::unordered_map<void*, std::vector<void*>> heads;
  // Block allocated "more" -> its first block.
  std::unordered_map<void*, void*> linked;
};

// Never destroyed: values may be freed during other units' static destruction.
Chains& TheChains() {
  static Chains* chains = new Chains();
  return *chains;
}

std::string Address(const void* p) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", p);
  return text;
}

// MAPI reports through its result alone; the line on stderr says why.
SCODE Refuse(const char* api, const std::string& reason) {
  std::fprintf(stderr, "sigilon platform: %s: %s (error 0x%08lX)\n", api, reason.c_str(),
               static_cast<unsigned long>(static_cast<ULONG>(MAPI_E_INVALID_PARAMETER)));
  return MAPI_E_INVALID_PARAMETER;
}

// A zero-byte block is still a distinct, freeable block.
void* NewBlock(ULONG cbSize) { return std::malloc(cbSize ? cbSize : 1); }

}  // namespace

WINBASEAPI SCODE WINAPI MAPIAllocateBuffer(ULONG cbSize, LPVOID* lppBuffer) {
  if (!lppBuffer) {
    return Refuse("MAPIAllocateBuffer", "no place for the result");
  }
  *lppBuffer = nullptr;
  void* block = NewBlock(cbSize);
  if (!block) return MAPI_E_NOT_ENOUGH_MEMORY;
  Chains& chains = TheChains();
  std::lock_guard<std::mutex> lock(chains.mutex);
  chains.heads.emplace(block, std::vector<void*>());
  *lppBuffer = block;
  return S_OK;
}

WINBASEAPI SCODE WINAPI MAPIAllocateMore(ULONG cbSize, LPVOID lpObject, LPVOID* lppBuffer) {
  if (!lppBuffer) {
    return Refuse("MAPIAllocateMore", "no place for the result");
  }
  *lppBuffer = nullptr;
  Chains& chains = TheChains();
  std::lock_guard<std::mutex> lock(chains.mutex);
  auto head = chains.heads.find(lpObject);
  if (head == chains.heads.end()) {
    const char* why = chains.linked.count(lpObject)
                          ? " was itself allocated with MAPIAllocateMore, not MAPIAllocateBuffer"
                          : " is not a live block from MAPIAllocateBuffer";
    return Refuse("MAPIAllocateMore", Address(lpObject) + why);
  }
  void* block = NewBlock(cbSize);
  if (!block) return MAPI_E_NOT_ENOUGH_MEMORY;
  head->second.push_back(block);
  chains.linked.emplace(block, lpObject);
  *lppBuffer = block;
  return S_OK;
}

WINBASEAPI ULONG WINAPI MAPIFreeBuffer(LPVOID lpBuffer) {
  if (!lpBuffer) return S_OK;
  std::vector<void*> more;
  {
    Chains& chains = TheChains();
    std::lock_guard<std::mutex> lock(chains.mutex);
    auto head = chains.heads.find(lpBuffer);
    if (head == chains.heads.end()) {
      const char* why = chains.linked.count(lpBuffer)
                            ? " belongs to another block; free that block instead"
                            : " was not allocated by MAPIAllocateBuffer or is already free";
      return static_cast<ULONG>(Refuse("MAPIFreeBuffer", Address(lpBuffer) + why));
    }
    more.swap(head->second);
    chains.heads.erase(head);
    for (void* block : more) chains.linked.erase(block);
  }
  for (void* block : more) std::free(block);
  std::free(lpBuffer);
  return S_OK;
}

namespace sigplat {

SIGPLAT_API size_t LiveMapiBuffers() {
  Chains& chains = TheChains();
  std::lock_guard<std::mutex> lock(chains.mutex);
  return chains.heads.size();
}

}  // namespace sigplat
