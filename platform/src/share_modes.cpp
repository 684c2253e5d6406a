#include "share_modes.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "win/kernel.h"

namespace sigplat::detail {
namespace {

struct ShareTable {
  std::mutex lock;
  std::vector<const ShareClaim*> claims;
};

ShareTable& Table() {
  static ShareTable* table = new ShareTable;
  return *table;
}

bool Allows(DWORD access, DWORD otherShare) {
  return (!(access & GENERIC_READ) || (otherShare & FILE_SHARE_READ)) &&
         (!(access & GENERIC_WRITE) || (otherShare & FILE_SHARE_WRITE)) &&
         (!(access & kDeleteAccess) || (otherShare & FILE_SHARE_DELETE));
}

}  // namespace

ShareClaim::ShareClaim(dev_t d, ino_t i, DWORD a, DWORD s) : dev(d), ino(i), access(a), share(s) {}

ShareClaim::~ShareClaim() {
  ShareTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  t.claims.erase(std::remove(t.claims.begin(), t.claims.end(), this), t.claims.end());
}

std::unique_ptr<ShareClaim> ClaimShare(dev_t dev, ino_t ino, DWORD access, DWORD share) {
  ShareTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  for (const ShareClaim* other : t.claims) {
    if (other->dev != dev || other->ino != ino) continue;
    if (!Allows(access, other->share) || !Allows(other->access, share)) return nullptr;
  }
  auto claim = std::make_unique<ShareClaim>(dev, ino, access, share);
  t.claims.push_back(claim.get());
  return claim;
}

}  // namespace sigplat::detail
