// Writing a VS_VERSIONINFO block: a tree of nodes, each a header (total
// length, value length, type), a UTF-16 key, a value and child nodes, every
// part starting on a 4-byte boundary of the block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win/base.h"

namespace sigplat::detail {

// The block of a library of the host product with version v[0].v[1].v[2].v[3].
// False when it would outgrow the 16-bit lengths of the format.
bool MakeVersionBlock(const WORD v[4], const std::string& fileDescription,
                      const std::string& originalFilename, std::vector<uint8_t>* block);

}  // namespace sigplat::detail
