// Reading the nodes of a VS_VERSIONINFO block: header (length, value length,
// type), a NUL-terminated UTF-16 key, the value and then the children, each
// part on a 4-byte boundary of the block. Every node is held to the bounds of
// its parent, so a damaged block yields "no such node", never a read past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "le_bytes.h"

namespace sigplat::detail {

constexpr uint16_t kVersionBinary = 0;
constexpr uint16_t kVersionText = 1;

// One node, as offsets into the block.
struct VersionBlockNode {
  size_t start = 0;
  size_t end = 0;  // start plus the node's length
  uint16_t type = kVersionBinary;
  std::u16string key;
  size_t valueOffset = 0;
  size_t valueBytes = 0;  // stored length, doubled for text (UTF-16), cut to the node
  size_t childrenOffset = 0;
};

// The node at start, which must lie before limit. False when its header or
// key does not fit.
bool ReadVersionNode(const ByteView& block, size_t start, size_t limit, VersionBlockNode* node);

// The child of parent whose key equals name, letters compared without
// regard to case as Windows compares them.
bool FindVersionChild(const ByteView& block, const VersionBlockNode& parent,
                      std::u16string_view name, VersionBlockNode* child);

}  // namespace sigplat::detail
