#include "mailbox.h"

#include <cstdio>
#include <stdexcept>

#include "host_registry.h"

namespace simhost {

void Mailbox::add(const scenario::AddMessage& command) {
  MessageSpec spec;
  spec.name = command.id;
  spec.folder = command.folder == scenario::Folder::Drafts ? Folder::Drafts : Folder::Inbox;
  spec.subject = command.subject;
  spec.body = command.body;
  spec.transportHeaders = command.header;
  spec.messageClass = command.messageClass;
  spec.flags = command.unsent ? MSGFLAG_UNSENT : MSGFLAG_READ;
  if (command.customForm) spec.customForm = static_cast<LONG>(*command.customForm);
  spec.html = command.html;
  try {
    store_.Add(spec);
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
