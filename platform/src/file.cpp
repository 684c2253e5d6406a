// Kernel file functions over POSIX descriptors. Each handle owns its own
// descriptor and so its own file pointer, as each Windows handle does.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "handles.h"
#include "path_map.h"
#include "share_modes.h"
#include "sigplat/world.h"
#include "win_errno.h"
#include "winapi.h"

namespace sigplat::detail {
namespace {

class FileObject : public KernelObject {
 public:
  FileObject(int descriptor, DWORD accessBits, std::unique_ptr<ShareClaim> shareClaim)
      : fd(descriptor), access(accessBits), claim(std::move(shareClaim)) {}
  ~FileObject() override { close(fd); }

  const int fd;
  const DWORD access;
  const std::unique_ptr<ShareClaim> claim;
};

constexpr DWORD kSupportedFlags =
    0x0000FFFF | FILE_FLAG_WRITE_THROUGH | FILE_FLAG_RANDOM_ACCESS | FILE_FLAG_SEQUENTIAL_SCAN;

template <class T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

template <class T>
T FailLoudly(const char* function, const char* what, DWORD error, T result) {
  std::fprintf(stderr, "sigplat: %s: %s\n", function, what);
  return Fail(error, result);
}

bool MapPath(const char* winPath, std::string* posixPath) {
  DWORD error = ERROR_SUCCESS;
  if (sigplat::MapWindowsPath(winPath, posixPath, &error)) return true;
  SetLastError(error);
  return false;
}

std::shared_ptr<FileObject> LookupFile(HANDLE handle) {
  auto file = LookupHandleAs<FileObject>(handle);
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  return file;
}

bool IsReadOnly(const struct stat& st) { return !(st.st_mode & S_IWUSR); }

HANDLE OpenFile(const char* winPath, DWORD access, DWORD share, DWORD disposition,
                DWORD attributes) {
  std::string posixPath;
  if (!MapPath(winPath, &posixPath)) return INVALID_HANDLE_VALUE;

  struct stat st {};
  bool existed = stat(posixPath.c_str(), &st) == 0;
  if (!existed && errno != ENOENT)
    return Fail(Win32FromErrno(errno, posixPath), INVALID_HANDLE_VALUE);
  if (existed && disposition == CREATE_NEW) return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
  if (existed && S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  if (!existed && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING))
    return Fail(Win32FromErrno(ENOENT, posixPath), INVALID_HANDLE_VALUE);
  bool truncate = existed && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING);
  if (existed && (access & GENERIC_WRITE || truncate) && IsReadOnly(st))
    return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);

  int flags = O_CLOEXEC;
  if ((access & GENERIC_READ) && (access & GENERIC_WRITE))
    flags |= O_RDWR;
  else if (access & GENERIC_WRITE)
    flags |= O_WRONLY;
  else if (truncate)
    flags |= O_WRONLY;  // CREATE_ALWAYS truncates even a handle opened without write access
  else
    flags |= O_RDONLY;
  if (!existed) flags |= O_CREAT | O_EXCL;
  mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  int fd = open(posixPath.c_str(), flags, mode);
  if (fd < 0) return Fail(Win32FromErrno(errno, posixPath), INVALID_HANDLE_VALUE);

  struct stat opened {};
  fstat(fd, &opened);
  auto claim = ClaimShare(opened.st_dev, opened.st_ino, access, share);
  if (!claim) {
    close(fd);
    return Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
  }
  if (truncate && ftruncate(fd, 0) != 0) {
    DWORD error = Win32FromErrno(errno, posixPath);
    close(fd);
    return Fail(error, INVALID_HANDLE_VALUE);
  }
  HANDLE handle = InsertHandle(std::make_shared<FileObject>(fd, access, std::move(claim)));
  bool reportExisting = existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
  SetLastError(reportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

}  // namespace
}  // namespace sigplat::detail

using namespace sigplat::detail;

WINBASEAPI HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/,
                                     DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                     HANDLE hTemplateFile) {
  const char* fn = "CreateFileA";
  if (dwDesiredAccess & ~static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE))
    return FailLoudly(fn, "only GENERIC_READ and GENERIC_WRITE access is supported",
                      ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  if (dwShareMode & ~static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE))
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  if (dwCreationDisposition == TRUNCATE_EXISTING && !(dwDesiredAccess & GENERIC_WRITE))
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  if (dwFlagsAndAttributes & ~kSupportedFlags)
    return FailLoudly(fn, "overlapped, unbuffered and other special flags are not supported",
                      ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  if (hTemplateFile)
    return FailLoudly(fn, "template files are not supported", ERROR_INVALID_PARAMETER,
                      INVALID_HANDLE_VALUE);
  return OpenFile(lpFileName, dwDesiredAccess, dwShareMode, dwCreationDisposition,
                  dwFlagsAndAttributes);
}

WINBASEAPI BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpOverlapped)
    return FailLoudly("ReadFile", "overlapped reads are not supported", ERROR_INVALID_PARAMETER,
                      FALSE);
  if (!lpNumberOfBytesRead)
    return FailLoudly("ReadFile", "lpNumberOfBytesRead is required without overlapped I/O",
                      ERROR_INVALID_PARAMETER, FALSE);
  *lpNumberOfBytesRead = 0;
  auto file = LookupFile(hFile);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_READ)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  auto* out = static_cast<char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToRead) {
    ssize_t got = read(file->fd, out + done, nNumberOfBytesToRead - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(Win32FromErrno(errno, ""), FALSE);
    if (got == 0) break;
    done += static_cast<DWORD>(got);
  }
  *lpNumberOfBytesRead = done;
  return TRUE;
}

WINBASEAPI BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpOverlapped)
    return FailLoudly("WriteFile", "overlapped writes are not supported", ERROR_INVALID_PARAMETER,
                      FALSE);
  if (!lpNumberOfBytesWritten)
    return FailLoudly("WriteFile", "lpNumberOfBytesWritten is required without overlapped I/O",
                      ERROR_INVALID_PARAMETER, FALSE);
  *lpNumberOfBytesWritten = 0;
  auto file = LookupFile(hFile);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_WRITE)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  const auto* in = static_cast<const char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    ssize_t put = write(file->fd, in + done, nNumberOfBytesToWrite - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      *lpNumberOfBytesWritten = done;
      return Fail(Win32FromErrno(errno, ""), FALSE);
    }
    done += static_cast<DWORD>(put);
  }
  *lpNumberOfBytesWritten = done;
  return TRUE;
}

WINBASEAPI DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove,
                                       PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
  auto file = LookupFile(hFile);
  if (!file) return INVALID_SET_FILE_POINTER;
  // With a high part the distance is 64 bits; without, a signed 32-bit value.
  int64_t distance = lDistanceToMove;
  if (lpDistanceToMoveHigh)
    distance = static_cast<int64_t>(
        (static_cast<uint64_t>(static_cast<DWORD>(*lpDistanceToMoveHigh)) << 32) |
        static_cast<DWORD>(lDistanceToMove));
  int64_t base = 0;
  if (dwMoveMethod == FILE_CURRENT) {
    base = lseek(file->fd, 0, SEEK_CUR);
  } else if (dwMoveMethod == FILE_END) {
    struct stat st {};
    fstat(file->fd, &st);
    base = st.st_size;
  } else if (dwMoveMethod != FILE_BEGIN) {
    return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  }
  int64_t target = base + distance;
  if (target < 0) return Fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
  if (!lpDistanceToMoveHigh && target >= static_cast<int64_t>(INVALID_SET_FILE_POINTER))
    return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  if (lseek(file->fd, target, SEEK_SET) < 0)
    return Fail(Win32FromErrno(errno, ""), INVALID_SET_FILE_POINTER);
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(target >> 32);
  DWORD low = static_cast<DWORD>(target & 0xFFFFFFFF);
  // A low part that looks like the failure value is told apart by the last error.
  if (low == INVALID_SET_FILE_POINTER) SetLastError(NO_ERROR);
  return low;
}

WINBASEAPI DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  auto file = LookupFile(hFile);
  if (!file) return INVALID_FILE_SIZE;
  struct stat st {};
  if (fstat(file->fd, &st) != 0) return Fail(Win32FromErrno(errno, ""), INVALID_FILE_SIZE);
  uint64_t size = static_cast<uint64_t>(st.st_size);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  DWORD low = static_cast<DWORD>(size & 0xFFFFFFFF);
  if (low == INVALID_FILE_SIZE) SetLastError(NO_ERROR);
  return low;
}

WINBASEAPI BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
  auto file = LookupFile(hFile);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_WRITE)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (fsync(file->fd) != 0) return Fail(Win32FromErrno(errno, ""), FALSE);
  return TRUE;
}

WINBASEAPI BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  std::string posixPath;
  if (!MapPath(lpFileName, &posixPath)) return FALSE;
  struct stat st {};
  if (lstat(posixPath.c_str(), &st) != 0) return Fail(Win32FromErrno(errno, posixPath), FALSE);
  if (S_ISDIR(st.st_mode) || IsReadOnly(st)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  struct stat target {};
  if (stat(posixPath.c_str(), &target) == 0) {
    // Deleting is an open for delete access: every open must share delete.
    if (!ClaimShare(target.st_dev, target.st_ino, kDeleteAccess,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE))
      return Fail(ERROR_SHARING_VIOLATION, FALSE);
  }
  if (unlink(posixPath.c_str()) != 0) return Fail(Win32FromErrno(errno, posixPath), FALSE);
  return TRUE;
}

WINBASEAPI BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName,
                                        LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/) {
  std::string posixPath;
  if (!MapPath(lpPathName, &posixPath)) return FALSE;
  if (mkdir(posixPath.c_str(), 0777) == 0) return TRUE;
  if (errno == EEXIST) return Fail(ERROR_ALREADY_EXISTS, FALSE);
  if (errno == ENOENT) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  return Fail(Win32FromErrno(errno, posixPath), FALSE);
}

WINBASEAPI DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  std::string posixPath;
  if (!MapPath(lpFileName, &posixPath)) return INVALID_FILE_ATTRIBUTES;
  struct stat st {};
  if (stat(posixPath.c_str(), &st) != 0)
    return Fail(Win32FromErrno(errno, posixPath), INVALID_FILE_ATTRIBUTES);
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  // Windows marks every newly written file for archiving.
  DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
  if (IsReadOnly(st)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}
