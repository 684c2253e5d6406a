#include "version_resource.h"

#include <algorithm>
#include <cstring>

#include "pe_resource.h"
#include "pe_writer.h"
#include "version_node.h"
#include "win/error.h"

namespace sigplat::detail {
namespace {

// Twice this plus four still fits the DWORD the size is reported in.
constexpr size_t kLargestResource = 0x7FFFFFF0;

}  // namespace

DWORD FindVersionResource(const char* api, const ByteView& image, ByteView* resource) {
  ResourceSpan span;
  const DWORD result =
      FindImageResource(api, image, kResourceTypeVersion, kVersionResourceId, &span);
  if (result != ERROR_SUCCESS) return result;
  const ByteView bytes(image.data() + span.offset, span.size);
  uint16_t length = 0;
  uint16_t type = 0;
  // A Unicode block has its type word (0 or 1) where a 16-bit block starts
  // its ANSI key; PE images carry only the former.
  if (span.size > kLargestResource || !bytes.Read16(0, &length) || !bytes.Read16(4, &type) ||
      length < 6 || length > span.size || type > kVersionText) {
    return ERROR_BAD_FORMAT;
  }
  *resource = bytes;
  return ERROR_SUCCESS;
}

DWORD VersionBufferSize(const ByteView& resource) {
  return static_cast<DWORD>(resource.size() * 2 + sizeof kConversionMark);
}

void FillVersionBuffer(const ByteView& resource, DWORD len, uint8_t* data) {
  uint16_t length = 0;
  resource.Read16(0, &length);
  std::memcpy(data, resource.data(), std::min<size_t>(len, resource.size()));
  const size_t needed = 2 * static_cast<size_t>(length) + sizeof kConversionMark;
  if (len >= needed) {
    std::memcpy(data + length, kConversionMark, sizeof kConversionMark);
    std::memset(data + length + sizeof kConversionMark, 0, length);
    return;
  }
  const size_t kept = std::min<size_t>(length, len - sizeof kConversionMark);
  data[0] = static_cast<uint8_t>(kept);
  data[1] = static_cast<uint8_t>(kept >> 8);
  std::memset(data + kept, 0, sizeof kConversionMark);
}

}  // namespace sigplat::detail
