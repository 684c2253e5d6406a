// Windows' sharing rules between the opens of one file inside this process:
// an open must allow what the others already do, and the others must allow
// what it asks for.
#pragma once

#include <sys/types.h>

#include <memory>

#include "win/base.h"

namespace sigplat::detail {

// Access bits beyond GENERIC_READ and GENERIC_WRITE that the rules know.
constexpr DWORD kDeleteAccess = 0x00010000;

// One open of a file; releases its claim when destroyed.
class ShareClaim {
 public:
  ShareClaim(dev_t dev, ino_t ino, DWORD access, DWORD share);
  ~ShareClaim();
  ShareClaim(const ShareClaim&) = delete;
  ShareClaim& operator=(const ShareClaim&) = delete;

  dev_t dev;
  ino_t ino;
  DWORD access;  // GENERIC_READ | GENERIC_WRITE | kDeleteAccess
  DWORD share;   // FILE_SHARE_*
};

// The claim, or null when an existing open conflicts (ERROR_SHARING_VIOLATION).
std::unique_ptr<ShareClaim> ClaimShare(dev_t dev, ino_t ino, DWORD access, DWORD share);

}  // namespace sigplat::detail
