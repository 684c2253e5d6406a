// COM's byte stream: ISequentialStream and IStream, with the 64-bit offsets and
// the status structure that Stat fills. MAPI hands property values out as these.
#pragma once

#include "win/com.h"
#include "win/error.h"

typedef LONG SCODE;
typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;

typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef union _LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
} LARGE_INTEGER, *PLARGE_INTEGER;

typedef union _ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
} ULARGE_INTEGER, *PULARGE_INTEGER;

// Origins of IStream::Seek.
#define STREAM_SEEK_SET 0
#define STREAM_SEEK_CUR 1
#define STREAM_SEEK_END 2

// What IStream::Stat fills in; STATFLAG_NONAME leaves pwcsName out.
#define STATFLAG_DEFAULT 0
#define STATFLAG_NONAME 1
#define STGTY_STORAGE 1
#define STGTY_STREAM 2
#define STGM_READ 0x00000000L
#define STGM_WRITE 0x00000001L
#define STGM_READWRITE 0x00000002L

typedef struct tagSTATSTG {
  LPOLESTR pwcsName;  // allocated with CoTaskMemAlloc when asked for; NULL for nameless streams
  DWORD type;         // STGTY_STREAM
  ULARGE_INTEGER cbSize;
  FILETIME mtime;
  FILETIME ctime;
  FILETIME atime;
  DWORD grfMode;
  DWORD grfLocksSupported;
  CLSID clsid;
  DWORD grfStateBits;
  DWORD reserved;
} STATSTG;

// Structured-storage errors a stream reports.
#define STG_E_INVALIDFUNCTION ((HRESULT)0x80030001L)
#define STG_E_ACCESSDENIED ((HRESULT)0x80030005L)
#define STG_E_INSUFFICIENTMEMORY ((HRESULT)0x80030008L)
#define STG_E_INVALIDPOINTER ((HRESULT)0x80030009L)
#define STG_E_MEDIUMFULL ((HRESULT)0x80030070L)
#define STG_E_INVALIDFLAG ((HRESULT)0x800300FFL)

interface ISequentialStream : public IUnknown {
  STDMETHOD(Read)(void* pv, ULONG cb, ULONG* pcbRead) PURE;
  STDMETHOD(Write)(const void* pv, ULONG cb, ULONG* pcbWritten) PURE;

 protected:
  ~ISequentialStream() = default;
};

interface IStream : public ISequentialStream {
  STDMETHOD(Seek)(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) PURE;
  STDMETHOD(SetSize)(ULARGE_INTEGER libNewSize) PURE;
  STDMETHOD(CopyTo)(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                    ULARGE_INTEGER* pcbWritten) PURE;
  STDMETHOD(Commit)(DWORD grfCommitFlags) PURE;
  STDMETHOD(Revert)() PURE;
  STDMETHOD(LockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) PURE;
  STDMETHOD(UnlockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) PURE;
  STDMETHOD(Stat)(STATSTG* pstatstg, DWORD grfStatFlag) PURE;
  STDMETHOD(Clone)(IStream** ppstm) PURE;

 protected:
  ~IStream() = default;
};
typedef IStream* LPSTREAM;

// {0C733A30-2A1C-11CE-ADE5-00AA0044773D}
inline constexpr IID IID_ISequentialStream = {0x0C733A30, 0x2A1C, 0x11CE,
                                              {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
// {0000000C-0000-0000-C000-000000000046}
inline constexpr IID IID_IStream = {0x0000000C, 0x0000, 0x0000,
                                    {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
