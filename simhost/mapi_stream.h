// A COM stream over bytes in memory: what OpenProperty hands out for a text or
// binary property, and a general stream for the host. It behaves as a stream
// on global memory does: reading past the end reads less, seeking past the end
// is allowed, writing there fills the gap with zeros, and clones share the bytes.
#pragma once

#include <memory>
#include <string>

#include "com_object.h"
#include "winapi.h"

namespace simhost {

class MemoryStream final : public IStream, private ComCount {
 public:
  // A new stream at position 0, reference count 1. A read-only stream refuses
  // Write and SetSize with STG_E_ACCESSDENIED.
  static IStream* Create(std::string bytes, bool writable);

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;

  STDMETHOD(Read)(void* pv, ULONG cb, ULONG* pcbRead) override;
  STDMETHOD(Write)(const void* pv, ULONG cb, ULONG* pcbWritten) override;

  STDMETHOD(Seek)(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                  ULARGE_INTEGER* plibNewPosition) override;
  STDMETHOD(SetSize)(ULARGE_INTEGER libNewSize) override;
  STDMETHOD(CopyTo)(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                    ULARGE_INTEGER* pcbWritten) override;
  STDMETHOD(Commit)(DWORD grfCommitFlags) override;
  STDMETHOD(Revert)() override;
  STDMETHOD(LockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
  STDMETHOD(UnlockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                          DWORD dwLockType) override;
  STDMETHOD(Stat)(STATSTG* pstatstg, DWORD grfStatFlag) override;
  STDMETHOD(Clone)(IStream** ppstm) override;

 protected:
  ~MemoryStream() override = default;

 private:
  MemoryStream(std::shared_ptr<std::string> data, bool writable, ULONGLONG position);

  std::shared_ptr<std::string> data_;  // shared with clones
  bool writable_;
  ULONGLONG position_;  // may lie beyond the end
};

}  // namespace simhost
