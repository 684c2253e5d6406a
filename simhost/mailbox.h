// The host's mailbox: the message store of a scenario, and what the user has
// selected in the main window.
#pragma once

#include <string>

#include "message_store.h"
#include "scenario_commands.h"

namespace simhost {

class Mailbox {
 public:
  // The `message` command; throws HostError for a name already taken.
  void add(const scenario::AddMessage& command);
  // Throws HostError when the script names no such message.
  StoredMessage& find(const std::string& id);
  void select(StoredMessage& message) { selected_ = &message; }
  StoredMessage* selected() const { return selected_; }
  Store& store() { return store_; }

 private:
  Store store_;
  StoredMessage* selected_ = nullptr;
};

}  // namespace simhost
