// File version information: GetFileVersionInfoSizeA and GetFileVersionInfoA
// find the version resource of a PE file (see version_resource.h for the
// buffer they fill), VerQueryValueA walks the block inside that buffer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "codepage.h"
#include "sigplat/pe_image.h"
#include "sigplat/world.h"
#include "unsupported.h"
#include "version_node.h"
#include "version_resource.h"
#include "win_errno.h"
#include "winapi.h"

namespace sigplat::detail {
namespace {

// Larger files are refused rather than read whole; real libraries of the
// host stay far below.
constexpr off_t kLargestImage = 256 << 20;

DWORD ReadWholeFile(const char* api, const char* winPath, std::vector<uint8_t>* bytes) {
  if (!winPath) return ERROR_INVALID_PARAMETER;
  std::string posixPath;
  DWORD error = ERROR_SUCCESS;
  if (!MapWindowsPath(winPath, &posixPath, &error)) return error;
  const int fd = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Win32FromErrno(errno, posixPath);
  struct stat st {};
  DWORD result = ERROR_SUCCESS;
  if (fstat(fd, &st) != 0) {
    result = Win32FromErrno(errno, posixPath);
  } else if (S_ISDIR(st.st_mode)) {
    result = ERROR_ACCESS_DENIED;
  } else if (st.st_size > kLargestImage) {
    ReportFailure(api, std::string("files over 256 MB are not read: ") + winPath,
                  ERROR_NOT_ENOUGH_MEMORY);
    result = ERROR_NOT_ENOUGH_MEMORY;
  } else {
    bytes->resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes->size()) {
      const ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    bytes->resize(done);  // a file that shrank meanwhile is read as it now is
  }
  close(fd);
  return result;
}

DWORD SizeOfImageVersionInfo(const ByteView& image, DWORD* error) {
  ByteView resource(nullptr, 0);
  *error = FindVersionResource("GetFileVersionInfoSizeA", image, &resource);
  return *error == ERROR_SUCCESS ? VersionBufferSize(resource) : 0;
}

bool CopyImageVersionInfo(const char* api, const ByteView& image, DWORD len, void* data,
                          DWORD* error) {
  if (!data || len < kSmallestVersionBuffer) {
    *error = !data ? ERROR_INVALID_PARAMETER : ERROR_INSUFFICIENT_BUFFER;
    ReportFailure(api, !data ? "no buffer" : "a buffer too small to hold any version block",
                  *error);
    return false;
  }
  ByteView resource(nullptr, 0);
  *error = FindVersionResource(api, image, &resource);
  if (*error != ERROR_SUCCESS) return false;
  FillVersionBuffer(resource, len, static_cast<uint8_t*>(data));
  return true;
}

// The node a sub-block path ("\\StringFileInfo\\040904B0\\FileVersion")
// names; backslashes separate keys, empty keys are skipped.
bool FindSubBlock(const ByteView& block, const char* path, VersionBlockNode* node) {
  if (!ReadVersionNode(block, 0, block.size(), node)) return false;
  std::string key;
  for (const char* p = path;; ++p) {
    if (*p && *p != '\\') {
      key.push_back(*p);
      continue;
    }
    if (!key.empty()) {
      VersionBlockNode child;
      if (!FindVersionChild(block, *node, codepage::AnsiToUtf16(key), &child)) return false;
      *node = child;
      key.clear();
    }
    if (!*p) return true;
  }
}

// The ANSI form of a text value, in the conversion area that follows the
// block (see version_resource.h); false when the buffer has none.
bool ConvertText(uint8_t* buffer, size_t blockLength, const VersionBlockNode& node, char** text) {
  if (std::memcmp(buffer + blockLength, kConversionMark, sizeof kConversionMark) != 0) {
    return false;
  }
  std::u16string wide(node.valueBytes / 2, u'\0');
  std::memcpy(wide.data(), buffer + node.valueOffset, node.valueBytes);
  std::string ansi;
  codepage::Utf16ToAnsi(wide, &ansi);  // characters outside the code page become '?'
  const size_t n = std::min(ansi.size(), wide.size());
  char* out =
      reinterpret_cast<char*>(buffer + blockLength + sizeof kConversionMark + node.valueOffset);
  std::memcpy(out, ansi.data(), n);
  out[n] = '\0';
  *text = out;
  return true;
}

}  // namespace
}  // namespace sigplat::detail

using sigplat::detail::ByteView;

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle) {
  if (lpdwHandle) *lpdwHandle = 0;
  std::vector<uint8_t> bytes;
  DWORD error = sigplat::detail::ReadWholeFile("GetFileVersionInfoSizeA", lptstrFilename, &bytes);
  DWORD size = 0;
  if (error == ERROR_SUCCESS) {
    size = sigplat::detail::SizeOfImageVersionInfo(ByteView(bytes.data(), bytes.size()), &error);
  }
  SetLastError(error);
  return size;
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
  std::vector<uint8_t> bytes;
  DWORD error = sigplat::detail::ReadWholeFile("GetFileVersionInfoA", lptstrFilename, &bytes);
  if (error == ERROR_SUCCESS &&
      sigplat::detail::CopyImageVersionInfo(
          "GetFileVersionInfoA", ByteView(bytes.data(), bytes.size()), dwLen, lpData, &error)) {
    return TRUE;
  }
  SetLastError(error);
  return FALSE;
}

BOOL WINAPI VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen) {
  using namespace sigplat::detail;
  if (!pBlock || !lplpBuffer) {
    sigplat::ReportFailure("VerQueryValueA", "no block or no place for the answer",
                           ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (puLen) *puLen = 0;
  // Texts are converted into the caller's buffer, as on Windows.
  auto* buffer = static_cast<uint8_t*>(const_cast<void*>(pBlock));
  const ByteView header(buffer, 6);
  uint16_t length = 0;
  uint16_t type = 0;
  header.Read16(0, &length);
  header.Read16(4, &type);
  if (type > kVersionText) {
    sigplat::ReportFailure("VerQueryValueA", "16-bit version blocks are not supported",
                           ERROR_BAD_FORMAT);
    return FALSE;
  }
  const ByteView block(buffer, length);
  VersionBlockNode node;
  if (!FindSubBlock(block, lpSubBlock && *lpSubBlock ? lpSubBlock : "\\", &node)) {
    *lplpBuffer = nullptr;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  if (node.type != kVersionText) {
    *lplpBuffer = buffer + node.valueOffset;
    if (puLen) *puLen = static_cast<UINT>(node.valueBytes);
    return TRUE;
  }
  static char empty[1] = "";
  char* text = empty;
  if (node.valueBytes > 0 && !ConvertText(buffer, length, node, &text)) {
    sigplat::ReportFailure(
        "VerQueryValueA",
        "the block has no room to convert text: give GetFileVersionInfoA the size "
        "GetFileVersionInfoSizeA reports",
        ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  *lplpBuffer = text;
  if (puLen) *puLen = static_cast<UINT>(node.valueBytes / 2);
  return TRUE;
}

namespace sigplat {

DWORD ImageVersionInfoSize(const BYTE* image, size_t size, DWORD* error) {
  return detail::SizeOfImageVersionInfo(detail::ByteView(image, size), error);
}

bool ImageVersionInfo(const BYTE* image, size_t size, DWORD len, void* data, DWORD* error) {
  return detail::CopyImageVersionInfo("GetFileVersionInfoA", detail::ByteView(image, size), len,
                                      data, error);
}

}  // namespace sigplat
