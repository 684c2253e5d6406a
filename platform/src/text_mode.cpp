// fopen for Windows paths, with the Windows C run-time's text mode, built on
// glibc's fopencookie so callers get an ordinary FILE*.
//
// File positions are raw byte offsets in the file, as the Windows run-time's
// are: ftell reports where the next raw byte will be read or written, and
// fseek moves there. To keep that exact, a text-mode stream is unbuffered on
// the FILE side and does its own read-ahead here, where it knows how many raw
// bytes each delivered character took. One imprecision remains: after ungetc
// of a line end that was CR LF on disk, ftell is one byte short (it points at
// the LF, which reads back as the same line end).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "path_map.h"
#include "share_modes.h"
#include "sigplat/world.h"
#include "win_errno.h"
#include "winapi.h"

namespace sigplat::detail {
namespace {

constexpr char kCtrlZ = 0x1A;
constexpr size_t kReadAhead = 4096;

struct OpenMode {
  char kind = 0;  // 'r', 'w' or 'a'
  bool update = false;
  bool text = true;
};

bool ParseMode(const char* mode, OpenMode* out) {
  if (!mode || !mode[0] || !std::strchr("rwa", mode[0])) return false;
  out->kind = mode[0];
  bool sawB = false, sawT = false;
  for (const char* p = mode + 1; *p; ++p) {
    if (*p == '+' && !out->update)
      out->update = true;
    else if (*p == 'b' && !sawB && !sawT)
      sawB = true;
    else if (*p == 't' && !sawB && !sawT)
      sawT = true;
    else
      return false;
  }
  out->text = !sawB;
  return true;
}

struct Stream {
  int fd = -1;
  bool text = true;
  bool append = false;
  off64_t pos = 0;    // raw offset of the next byte
  std::string ahead;  // raw bytes read ahead, starting at aheadAt
  off64_t aheadAt = 0;
  std::unique_ptr<ShareClaim> claim;

  ~Stream() {
    if (fd >= 0) close(fd);
  }

  // The raw byte at offset, or -1 at the end of the file; -2 on error.
  int ByteAt(off64_t offset) {
    if (offset < aheadAt || offset >= aheadAt + static_cast<off64_t>(ahead.size())) {
      ahead.resize(kReadAhead);
      ssize_t got;
      do {
        got = pread64(fd, ahead.data(), kReadAhead, offset);
      } while (got < 0 && errno == EINTR);
      if (got < 0) {
        ahead.clear();
        return -2;
      }
      ahead.resize(static_cast<size_t>(got));
      aheadAt = offset;
      if (got == 0) return -1;
    }
    return static_cast<unsigned char>(ahead[static_cast<size_t>(offset - aheadAt)]);
  }
};

ssize_t ReadRaw(Stream* s, char* buf, size_t size) {
  ssize_t got;
  do {
    got = pread64(s->fd, buf, size, s->pos);
  } while (got < 0 && errno == EINTR);
  if (got > 0) s->pos += got;
  return got;
}

// CR LF becomes LF, a CR before anything else stays, Ctrl-Z is the end.
ssize_t ReadText(Stream* s, char* buf, size_t size) {
  size_t done = 0;
  while (done < size) {
    int c = s->ByteAt(s->pos);
    if (c == -2) return done ? static_cast<ssize_t>(done) : -1;
    if (c == -1 || c == kCtrlZ) break;
    if (c == '\r') {
      int next = s->ByteAt(s->pos + 1);
      if (next == '\n') {
        buf[done++] = '\n';
        s->pos += 2;
        continue;
      }
    }
    buf[done++] = static_cast<char>(c);
    s->pos += 1;
  }
  return static_cast<ssize_t>(done);
}

ssize_t CookieRead(void* cookie, char* buf, size_t size) {
  auto* s = static_cast<Stream*>(cookie);
  return s->text ? ReadText(s, buf, size) : ReadRaw(s, buf, size);
}

bool WriteAll(Stream* s, const char* data, size_t size) {
  s->ahead.clear();
  if (s->append) {
    // Every write of an append stream lands at the end, wherever the position was.
    s->pos = lseek64(s->fd, 0, SEEK_END);
    if (s->pos < 0) return false;
  }
  size_t done = 0;
  while (done < size) {
    ssize_t put = pwrite64(s->fd, data + done, size - done, s->pos);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<size_t>(put);
    s->pos += put;
  }
  return true;
}

ssize_t CookieWrite(void* cookie, const char* buf, size_t size) {
  auto* s = static_cast<Stream*>(cookie);
  if (!s->text) return WriteAll(s, buf, size) ? static_cast<ssize_t>(size) : -1;
  std::string translated;
  translated.reserve(size + size / 8);
  for (size_t i = 0; i < size; ++i) {
    if (buf[i] == '\n') translated += '\r';
    translated += buf[i];
  }
  return WriteAll(s, translated.data(), translated.size()) ? static_cast<ssize_t>(size) : -1;
}

int CookieSeek(void* cookie, off64_t* offset, int whence) {
  auto* s = static_cast<Stream*>(cookie);
  off64_t base = 0;
  if (whence == SEEK_CUR) {
    base = s->pos;
  } else if (whence == SEEK_END) {
    struct stat st {};
    if (fstat(s->fd, &st) != 0) return -1;
    base = st.st_size;
  } else if (whence != SEEK_SET) {
    errno = EINVAL;
    return -1;
  }
  off64_t target = base + *offset;
  if (target < 0) {
    errno = EINVAL;
    return -1;
  }
  s->pos = target;
  *offset = target;
  return 0;
}

int CookieClose(void* cookie) {
  auto* s = static_cast<Stream*>(cookie);
  int result = close(s->fd) == 0 ? 0 : EOF;
  s->fd = -1;
  delete s;
  return result;
}

// "a+" in text mode removes a Ctrl-Z that ends the file, so that appended
// text is not hidden behind it.
void DropTrailingCtrlZ(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0 || st.st_size == 0) return;
  char last = 0;
  if (pread64(fd, &last, 1, st.st_size - 1) == 1 && last == kCtrlZ) {
    if (ftruncate(fd, st.st_size - 1) != 0) {
      std::fprintf(stderr, "sigplat: WinFOpen: cannot remove the end-of-file mark: %s\n",
                   std::strerror(errno));
    }
  }
}

FILE* Fail(DWORD error) {
  SetLastError(error);
  errno = ErrnoFromWin32(error);
  return nullptr;
}

}  // namespace
}  // namespace sigplat::detail

using namespace sigplat::detail;

WINBASEAPI FILE* WinFOpen(const char* path, const char* mode) {
  OpenMode m;
  if (!ParseMode(mode, &m)) {
    std::fprintf(stderr, "sigplat: WinFOpen: unsupported mode \"%s\"\n", mode ? mode : "(null)");
    return Fail(ERROR_INVALID_PARAMETER);
  }
  std::string posixPath;
  DWORD error = ERROR_SUCCESS;
  if (!sigplat::MapWindowsPath(path, &posixPath, &error)) return Fail(error);

  int flags = O_CLOEXEC | (m.update ? O_RDWR : (m.kind == 'r' ? O_RDONLY : O_WRONLY));
  if (m.kind != 'r') flags |= O_CREAT;
  int fd = open(posixPath.c_str(), flags, 0666);
  if (fd < 0) return Fail(Win32FromErrno(errno, posixPath));
  auto stream = std::make_unique<Stream>();
  stream->fd = fd;
  stream->text = m.text;
  stream->append = m.kind == 'a';

  struct stat st {};
  fstat(fd, &st);
  if (S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
  // The run-time opens with full sharing; only opens that deny it conflict.
  DWORD access = (m.kind == 'r' || m.update ? GENERIC_READ : 0) |
                 (m.kind != 'r' || m.update ? GENERIC_WRITE : 0);
  stream->claim = ClaimShare(st.st_dev, st.st_ino, access, FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (!stream->claim) return Fail(ERROR_SHARING_VIOLATION);
  if (m.kind == 'w' && ftruncate(fd, 0) != 0) return Fail(Win32FromErrno(errno, posixPath));
  if (m.kind == 'a' && m.update && m.text) DropTrailingCtrlZ(fd);

  cookie_io_functions_t io{CookieRead, CookieWrite, CookieSeek, CookieClose};
  char cookieMode[4] = {m.kind, m.update ? '+' : '\0', '\0', '\0'};
  FILE* file = fopencookie(stream.get(), cookieMode, io);
  if (!file) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  stream.release();
  if (m.text) setvbuf(file, nullptr, _IONBF, 0);
  return file;
}
