#include "message_store.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <stdexcept>

#include "mapi_message.h"
#include "mapi_msg_store.h"
#include "store_state.h"

namespace simhost {

namespace {

// Entry identifiers: MAPI's four flag bytes, the store's 16-byte identifier,
// then what the identifier names and its number.
enum : ULONG { kFolderEntry = 1, kMessageEntry = 2 };

std::string EntryId(const std::string& storeUid, ULONG kind, ULONG number) {
  std::string id(4, '\0');
  id += storeUid;
  id.append(reinterpret_cast<const char*>(&kind), sizeof kind);
  id.append(reinterpret_cast<const char*>(&number), sizeof number);
  return id;
}

// Different stores never share entry identifiers, so one store's identifier
// is not found in another.
std::string NewStoreUid() {
  static std::atomic<ULONG> stores{0};
  std::string uid = "SigilonStore";
  const ULONG number = ++stores;
  uid.append(reinterpret_cast<const char*>(&number), sizeof number);
  return uid;
}

size_t Index(Folder folder) { return static_cast<size_t>(folder); }

}  // namespace

std::shared_ptr<StoredMessage> StoreState::FindShared(const void* bytes, size_t cb) const {
  const std::string wanted(static_cast<const char*>(bytes), cb);
  for (const auto& folder : folders) {
    for (const auto& message : folder) {
      if (message->EntryId() == wanted) return message;
    }
  }
  return nullptr;
}

StoredMessage::StoredMessage(std::string name, std::string entryId)
    : name_(std::move(name)), entryId_(std::move(entryId)) {
  props_.SetBinary(PR_ENTRYID, entryId_);
  props_.SetLong(PR_OBJECT_TYPE, MAPI_MESSAGE);
}

Store::Store() : state_(std::make_shared<StoreState>()) {
  state_->uid = NewStoreUid();
  for (ULONG i = 0; i < state_->folderEntryIds.size(); ++i) {
    state_->folderEntryIds[i] = EntryId(state_->uid, kFolderEntry, i + 1);
  }
  state_->storeProps.SetString(PR_DISPLAY_NAME, "Personal Folders");
  state_->storeProps.SetLong(PR_OBJECT_TYPE, MAPI_STORE);
  state_->storeProps.SetBinary(PR_ENTRYID, EntryId(state_->uid, 0, 0));
}

Store::~Store() = default;

StoredMessage& Store::Add(const MessageSpec& described) {
  if (described.name.empty()) throw std::invalid_argument("a message needs a name");
  if (Find(described.name)) throw std::invalid_argument("a message named " + described.name + " exists");
  auto message = std::make_shared<StoredMessage>(
      described.name, EntryId(state_->uid, kMessageEntry, state_->nextMessage++));
  PropertyBag& props = message->Props();
  props.SetString(PR_SUBJECT, described.subject);
  if (described.body) props.SetString(PR_BODY, *described.body);
  if (described.transportHeaders) props.SetString(PR_TRANSPORT_MESSAGE_HEADERS, *described.transportHeaders);
  props.SetString(PR_MESSAGE_CLASS, described.messageClass);
  props.SetLong(PR_MESSAGE_FLAGS, static_cast<LONG>(described.flags));
  message->Html() = described.html;
  if (described.customForm) SetCustomForm(*message, described.customForm);
  state_->folders[Index(described.folder)].push_back(message);
  return *message;
}

StoredMessage* Store::Find(const std::string& name) {
  for (const auto& folder : state_->folders) {
    for (const auto& message : folder) {
      if (message->Name() == name) return message.get();
    }
  }
  return nullptr;
}

StoredMessage* Store::FindByEntryId(const void* bytes, size_t cb) {
  return state_->FindShared(bytes, cb).get();
}

std::vector<StoredMessage*> Store::Messages(Folder folder) const {
  std::vector<StoredMessage*> messages;
  for (const auto& message : state_->folders[Index(folder)]) messages.push_back(message.get());
  return messages;
}

Folder Store::FolderOf(const StoredMessage& message) const {
  for (size_t i = 0; i < state_->folders.size(); ++i) {
    for (const auto& held : state_->folders[i]) {
      if (held.get() == &message) return static_cast<Folder>(i);
    }
  }
  throw std::invalid_argument("message " + message.Name() + " is not in this store");
}

void Store::Move(StoredMessage& message, Folder to) {
  auto& from = state_->folders[Index(FolderOf(message))];
  auto it = std::find_if(from.begin(), from.end(),
                         [&](const auto& held) { return held.get() == &message; });
  std::shared_ptr<StoredMessage> moved = *it;
  from.erase(it);
  state_->folders[Index(to)].push_back(std::move(moved));
}

const std::string& Store::FolderEntryId(Folder folder) const {
  return state_->folderEntryIds[Index(folder)];
}

void Store::SetCustomForm(StoredMessage& message, std::optional<LONG> value) {
  if (!value) {
    if (const ULONG tag = CustomFormTag()) message.Props().Erase(tag);
    return;
  }
  const ULONG id = state_->names->IdOf(kPropSetCommon, kCustomFormPropertyId, true);
  message.Props().SetLong(PROP_TAG(PT_LONG, id), *value);
}

std::optional<LONG> Store::CustomForm(const StoredMessage& message) const {
  const ULONG tag = CustomFormTag();
  if (!tag) return std::nullopt;
  return message.Props().Long(tag);
}

ULONG Store::CustomFormTag() const {
  const ULONG id = state_->names->IdOf(kPropSetCommon, kCustomFormPropertyId, false);
  return id ? PROP_TAG(PT_LONG, id) : 0;
}

IMsgStore* Store::NewMsgStore() { return MsgStore::Create(state_); }

IMessage* Store::NewMessage(StoredMessage& message) {
  for (const auto& folder : state_->folders) {
    for (const auto& held : folder) {
      if (held.get() == &message) return Message::Create(held, state_->names);
    }
  }
  throw std::invalid_argument("message " + message.Name() + " is not in this store");
}

SCODE CopyEntryId(const std::string& entryId, ULONG* lpcbEntryID, LPENTRYID* lppEntryID) {
  if (!lpcbEntryID || !lppEntryID) return MAPI_E_INVALID_PARAMETER;
  *lpcbEntryID = 0;
  *lppEntryID = nullptr;
  void* block = nullptr;
  const SCODE sc = MAPIAllocateBuffer(static_cast<ULONG>(entryId.size()), &block);
  if (FAILED(sc)) return sc;
  std::memcpy(block, entryId.data(), entryId.size());
  *lpcbEntryID = static_cast<ULONG>(entryId.size());
  *lppEntryID = static_cast<LPENTRYID>(block);
  return S_OK;
}

}  // namespace simhost
