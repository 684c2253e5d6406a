#include "version_node.h"

#include <algorithm>

namespace sigplat::detail {
namespace {

char16_t FoldCase(char16_t c) { return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c; }

bool SameKey(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

bool ReadVersionNode(const ByteView& block, size_t start, size_t limit, VersionBlockNode* node) {
  uint16_t length = 0;
  uint16_t valueLength = 0;
  uint16_t type = 0;
  if (limit > block.size() || start > limit || limit - start < 6 || !block.Read16(start, &length) ||
      !block.Read16(start + 2, &valueLength) || !block.Read16(start + 4, &type) || length < 6 ||
      length > limit - start) {
    return false;
  }
  node->start = start;
  node->end = start + length;
  node->type = type;
  node->key.clear();
  size_t at = start + 6;
  for (;;) {
    uint16_t c = 0;
    if (at + 2 > node->end || !block.Read16(at, &c)) return false;
    at += 2;
    if (c == 0) break;
    node->key.push_back(static_cast<char16_t>(c));
  }
  node->valueOffset = std::min(AlignUp(at, 4), node->end);
  const size_t stored = type == kVersionText ? 2 * static_cast<size_t>(valueLength) : valueLength;
  node->valueBytes = std::min(stored, node->end - node->valueOffset);
  if (type == kVersionText) node->valueBytes &= ~static_cast<size_t>(1);
  node->childrenOffset = std::min(AlignUp(node->valueOffset + node->valueBytes, 4), node->end);
  return true;
}

bool FindVersionChild(const ByteView& block, const VersionBlockNode& parent,
                      std::u16string_view name, VersionBlockNode* child) {
  size_t at = parent.childrenOffset;
  while (at < parent.end) {
    if (!ReadVersionNode(block, at, parent.end, child)) return false;
    if (SameKey(child->key, name)) return true;
    at = AlignUp(child->end, 4);
  }
  return false;
}

}  // namespace sigplat::detail
