// What every COM object of the simulated host shares: a reference count that
// starts at one for its creator, a QueryInterface table, and an account of the
// objects alive, so that a test can see whether everything handed out came back.
#pragma once

#include <atomic>
#include <cstddef>

#include "winapi.h"

namespace simhost {

// The host's COM objects alive right now (created and not yet released to 0).
long LiveComObjects();

class ComCount {
 protected:
  ComCount();
  virtual ~ComCount();
  ComCount(const ComCount&) = delete;
  ComCount& operator=(const ComCount&) = delete;

  ULONG AddRefCount() { return ++refs_; }
  // Deletes the object at the last release.
  ULONG ReleaseCount();

 private:
  std::atomic<ULONG> refs_{1};
};

// QueryInterface over a table of the identifiers the object answers to. The
// interfaces of one object here form one inheritance chain, so one pointer
// serves them all.
template <typename Interface, size_t N>
HRESULT QueryTable(Interface* self, const IID* const (&table)[N], REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  for (const IID* iid : table) {
    if (IsEqualIID(*iid, riid)) {
      *ppv = self;
      self->AddRef();
      return S_OK;
    }
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

// A method the simulated store does not offer: said on stderr, MAPI_E_NO_SUPPORT.
HRESULT Unsupported(const char* method);

}  // namespace simhost
