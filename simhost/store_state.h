// What the store and its COM objects share. Internal to the store's library.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "message_store.h"
#include "property_bag.h"

namespace simhost {

struct StoreState {
  std::string uid;  // 16 bytes, unique per store, inside every entry identifier
  std::array<std::vector<std::shared_ptr<StoredMessage>>, 3> folders;
  std::array<std::string, 3> folderEntryIds;
  std::shared_ptr<NamedProperties> names = std::make_shared<NamedProperties>();
  PropertyBag storeProps;  // the store object's own properties
  ULONG nextMessage = 1;

  std::shared_ptr<StoredMessage> FindShared(const void* bytes, size_t cb) const;
};

}  // namespace simhost
