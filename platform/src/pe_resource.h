// Finding a resource in a PE image held in memory, the way the loader's
// resource functions find it in a mapped module. Every offset the file gives
// is checked against the bytes there are, so a damaged or cut-off image gives
// an error and never a read outside it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "le_bytes.h"
#include "win/base.h"

namespace sigplat::detail {

// Where the bytes of a resource lie in the image.
struct ResourceSpan {
  size_t offset = 0;
  size_t size = 0;
};

// Looks up type and id and takes the resource's first language, in a PE32
// or PE32+ image. Returns ERROR_SUCCESS and the span, or:
// ERROR_RESOURCE_DATA_NOT_FOUND when the bytes are not a PE image at all,
// ERROR_BAD_FORMAT when headers or resource tree are damaged or cut off,
// ERROR_RESOURCE_TYPE_NOT_FOUND, ERROR_RESOURCE_NAME_NOT_FOUND or
// ERROR_RESOURCE_LANG_NOT_FOUND when the tree has no such entry.
// api names the caller in the line written for images of a kind not supported.
DWORD FindImageResource(const char* api, const ByteView& image, uint16_t type, uint16_t id,
                        ResourceSpan* span);

}  // namespace sigplat::detail
