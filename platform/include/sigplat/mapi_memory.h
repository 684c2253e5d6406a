// MAPI memory as the host sees it: how many blocks from MAPIAllocateBuffer are
// still to be freed, so that a test can check that every value handed to the
// system came back through MAPIFreeBuffer.
#pragma once

#include <cstddef>

#include "win/base.h"

namespace sigplat {

// Blocks from MAPIAllocateBuffer not yet freed (their "more" blocks not counted).
SIGPLAT_API size_t LiveMapiBuffers();

}  // namespace sigplat
