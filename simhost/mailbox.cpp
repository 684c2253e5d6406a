#include "mailbox.h"

#include <cstdio>
#include <stdexcept>

#include "host_registry.h"

namespace simhost {

void Mailbox::add(const scenario::AddMessage& command) {
  MessageSpec described;
  described.name = command.id;
  described.folder = command.folder == scenario::Folder::Drafts ? Folder::Drafts : Folder::Inbox;
  described.subject = command.subject;
  described.body = command.body;
  described.transportHeaders = command.header;
  described.messageClass = command.messageClass;
  described.flags = command.unsent ? MSGFLAG_UNSENT : MSGFLAG_READ;
  if (command.customForm) described.customForm = static_cast<LONG>(*command.customForm);
  described.html = command.html;
  try {
    store_.Add(described);
  } catch (const std::invalid_argument& e) {
    throw HostError("message " + command.id + ": " + e.what());
  }
}

StoredMessage& Mailbox::find(const std::string& id) {
  StoredMessage* message = store_.Find(id);
  if (!message) throw HostError("there is no message " + id + " (add it with `message " + id + " ...`)");
  return *message;
}

}  // namespace simhost
