#include "mapi_stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace simhost {

namespace {

// Larger streams than this are refused as a full medium; the host never needs
// anything near it, and it keeps every size within a ULONG.
constexpr ULONGLONG kMaxStreamSize = 0x7FFFFFFF;

}  // namespace

IStream* MemoryStream::Create(std::string bytes, bool writable) {
  return new MemoryStream(std::make_shared<std::string>(std::move(bytes)), writable, 0);
}

MemoryStream::MemoryStream(std::shared_ptr<std::string> data, bool writable, ULONGLONG position)
    : data_(std::move(data)), writable_(writable), position_(position) {}

STDMETHODIMP MemoryStream::QueryInterface(REFIID riid, void** ppv) {
  static const IID* const kInterfaces[] = {&IID_IUnknown, &IID_ISequentialStream, &IID_IStream};
  return QueryTable(static_cast<IStream*>(this), kInterfaces, riid, ppv);
}

STDMETHODIMP_(ULONG) MemoryStream::AddRef() { return AddRefCount(); }

STDMETHODIMP_(ULONG) MemoryStream::Release() { return ReleaseCount(); }

STDMETHODIMP MemoryStream::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!pv) return STG_E_INVALIDPOINTER;
  const ULONGLONG size = data_->size();
  const ULONGLONG available = position_ < size ? size - position_ : 0;
  const ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(cb, available));
  if (n) std::memcpy(pv, data_->data() + position_, n);
  position_ += n;
  if (pcbRead) *pcbRead = n;
  return S_OK;
}

STDMETHODIMP MemoryStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (!pv) return STG_E_INVALIDPOINTER;
  if (!writable_) return STG_E_ACCESSDENIED;
  if (position_ + cb > kMaxStreamSize) return STG_E_MEDIUMFULL;
  const size_t end = static_cast<size_t>(position_ + cb);
  if (end > data_->size()) data_->resize(end, '\0');
  if (cb) std::memcpy(&(*data_)[static_cast<size_t>(position_)], pv, cb);
  position_ = end;
  if (pcbWritten) *pcbWritten = cb;
  return S_OK;
}

STDMETHODIMP MemoryStream::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                ULARGE_INTEGER* plibNewPosition) {
  LONGLONG base = 0;
  switch (dwOrigin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(position_); break;
    case STREAM_SEEK_END: base = static_cast<LONGLONG>(data_->size()); break;
    default: return STG_E_INVALIDFUNCTION;
  }
  LONGLONG target = 0;
  if (__builtin_add_overflow(base, dlibMove.QuadPart, &target) || target < 0) {
    return STG_E_INVALIDFUNCTION;
  }
  position_ = static_cast<ULONGLONG>(target);
  if (plibNewPosition) plibNewPosition->QuadPart = position_;
  return S_OK;
}

STDMETHODIMP MemoryStream::SetSize(ULARGE_INTEGER libNewSize) {
  if (!writable_) return STG_E_ACCESSDENIED;
  if (libNewSize.QuadPart > kMaxStreamSize) return STG_E_MEDIUMFULL;
  data_->resize(static_cast<size_t>(libNewSize.QuadPart), '\0');
  return S_OK;
}

STDMETHODIMP MemoryStream::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                  ULARGE_INTEGER* pcbWritten) {
  if (pcbRead) pcbRead->QuadPart = 0;
  if (pcbWritten) pcbWritten->QuadPart = 0;
  if (!pstm) return STG_E_INVALIDPOINTER;
  const ULONGLONG size = data_->size();
  const ULONGLONG available = position_ < size ? size - position_ : 0;
  const ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(cb.QuadPart, available));
  // Copied out first: the target may be a clone writing into these very bytes.
  const std::vector<char> chunk(data_->begin() + static_cast<std::ptrdiff_t>(position_),
                                data_->begin() + static_cast<std::ptrdiff_t>(position_ + n));
  position_ += n;
  if (pcbRead) pcbRead->QuadPart = n;
  ULONG written = 0;
  const HRESULT hr = pstm->Write(chunk.data(), n, &written);
  if (pcbWritten) pcbWritten->QuadPart = written;
  return hr;
}

// Memory has nothing to commit to or revert from: writes are final at once,
// as on a stream over global memory.
STDMETHODIMP MemoryStream::Commit(DWORD) { return S_OK; }

STDMETHODIMP MemoryStream::Revert() { return S_OK; }

// Streams over memory offer no region locking; Windows' say so the same way.
STDMETHODIMP MemoryStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

STDMETHODIMP MemoryStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

STDMETHODIMP MemoryStream::Stat(STATSTG* pstatstg, DWORD grfStatFlag) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  if (grfStatFlag != STATFLAG_DEFAULT && grfStatFlag != STATFLAG_NONAME) {
    return STG_E_INVALIDFLAG;
  }
  std::memset(pstatstg, 0, sizeof *pstatstg);
  // A stream in memory has no name, so even STATFLAG_DEFAULT returns none.
  pstatstg->pwcsName = nullptr;
  pstatstg->type = STGTY_STREAM;
  pstatstg->cbSize.QuadPart = data_->size();
  pstatstg->grfMode = writable_ ? STGM_READWRITE : STGM_READ;
  return S_OK;
}

STDMETHODIMP MemoryStream::Clone(IStream** ppstm) {
  if (!ppstm) return STG_E_INVALIDPOINTER;
  *ppstm = new MemoryStream(data_, writable_, position_);
  return S_OK;
}

}  // namespace simhost
