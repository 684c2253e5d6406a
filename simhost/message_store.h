// The simulated mail client's message store: folders holding messages in
// order, each message a set of MAPI properties that the host reads and writes
// directly and the extension reaches through IMsgStore and IMessage.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "property_bag.h"
#include "winapi.h"

namespace simhost {

enum class Folder { Inbox, Drafts, SentItems };

// {00062008-0000-0000-C000-000000000046}: the property set of the custom-form
// property, the named property 0x8542 in it.
inline constexpr GUID kPropSetCommon = {0x00062008, 0x0000, 0x0000,
                                        {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr LONG kCustomFormPropertyId = 0x8542;

// A message as a scenario describes it. Absent texts are absent properties,
// which is not the same as empty ones.
struct MessageSpec {
  std::string name;  // how scenarios refer to it; unique in the store
  Folder folder = Folder::Inbox;
  std::string subject;
  std::optional<std::string> body;              // PR_BODY
  std::optional<std::string> transportHeaders;  // PR_TRANSPORT_MESSAGE_HEADERS
  std::string messageClass = "IPM.Note";        // PR_MESSAGE_CLASS
  ULONG flags = 0;                              // PR_MESSAGE_FLAGS, e.g. MSGFLAG_UNSENT
  std::optional<LONG> customForm;               // the custom-form named property
  std::optional<std::string> html;              // the HTML source the object model shows
};

// One message of the store. Its properties are the ones MAPI shows: a change
// here is seen by every IMessage open on it, and the other way round.
class StoredMessage {
 public:
  StoredMessage(std::string name, std::string entryId);

  const std::string& Name() const { return name_; }
  // Opaque bytes, as PR_ENTRYID and selection items give them.
  const std::string& EntryId() const { return entryId_; }
  PropertyBag& Props() { return props_; }
  const PropertyBag& Props() const { return props_; }
  // The HTML source, kept beside the MAPI properties for the object model.
  std::optional<std::string>& Html() { return html_; }
  const std::optional<std::string>& Html() const { return html_; }

 private:
  std::string name_;
  std::string entryId_;
  PropertyBag props_;
  std::optional<std::string> html_;
};

struct StoreState;

class Store {
 public:
  Store();
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // Adds a message at the end of its folder. Throws std::invalid_argument when
  // the name is empty or already taken.
  StoredMessage& Add(const MessageSpec& described);
  // nullptr when there is none.
  StoredMessage* Find(const std::string& name);
  StoredMessage* FindByEntryId(const void* bytes, size_t cb);
  // The messages of a folder, in order.
  std::vector<StoredMessage*> Messages(Folder folder) const;
  Folder FolderOf(const StoredMessage& message) const;
  // Moves a message to the end of another folder (a send moves it to Sent Items).
  void Move(StoredMessage& message, Folder to);
  // A folder's entry identifier, for a selection that holds a folder.
  const std::string& FolderEntryId(Folder folder) const;

  // The custom-form property's value on a message (nullopt: absent), and the
  // tag it has in this store, PT_LONG; 0 while no message ever carried it and
  // nobody asked to create it.
  void SetCustomForm(StoredMessage& message, std::optional<LONG> value);
  std::optional<LONG> CustomForm(const StoredMessage& message) const;
  ULONG CustomFormTag() const;

  // New COM objects, reference count 1, for the caller to release.
  IMsgStore* NewMsgStore();
  IMessage* NewMessage(StoredMessage& message);

 private:
  std::shared_ptr<StoreState> state_;
};

// A copy of an entry identifier in MAPI memory, as the host's selection items
// hand it out for the caller to free with MAPIFreeBuffer.
SCODE CopyEntryId(const std::string& entryId, ULONG* lpcbEntryID, LPENTRYID* lppEntryID);

}  // namespace simhost
