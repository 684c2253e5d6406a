// The version resource of an image and the buffer GetFileVersionInfoA fills
// from it.
//
// The buffer is laid out as Windows lays it out: the VS_VERSIONINFO block
// (its length L in its first word), the mark "FE2X", then L more bytes where
// VerQueryValueA writes the ANSI form of each text value it returns, at the
// same offset its UTF-16 form has in the block. A UTF-16 text of n characters
// takes 2n bytes and its ANSI form at most n + 1, and no two texts overlap,
// so every text handed out stays valid as long as the caller's buffer does,
// however many queries follow. Hence the size GetFileVersionInfoSizeA
// reports: twice the resource plus four.
#pragma once

#include <cstddef>
#include <cstdint>

#include "le_bytes.h"
#include "win/base.h"

namespace sigplat::detail {

constexpr char kConversionMark[4] = {'F', 'E', '2', 'X'};
// The smallest buffer that holds a node header and the mark.
constexpr DWORD kSmallestVersionBuffer = 6 + sizeof kConversionMark;

// The version resource (RT_VERSION, id 1, first language) of an image, checked
// to hold a Unicode VS_VERSIONINFO block. ERROR_SUCCESS or the error
// GetFileVersionInfoSizeA reports.
DWORD FindVersionResource(const char* api, const ByteView& image, ByteView* resource);

// What GetFileVersionInfoSizeA reports for the resource.
DWORD VersionBufferSize(const ByteView& resource);

// Fills the caller's buffer of len bytes (at least kSmallestVersionBuffer).
// A buffer smaller than VersionBufferSize gets what fits, as on Windows, but
// its block's length is cut to the bytes it has and no mark is written, so
// that VerQueryValueA stays inside it and refuses to convert text.
void FillVersionBuffer(const ByteView& resource, DWORD len, uint8_t* data);

}  // namespace sigplat::detail
