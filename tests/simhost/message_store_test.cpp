#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

#include "com_object.h"
#include "message_store.h"
#include "sigplat/mapi_memory.h"

namespace {

using simhost::Folder;
using simhost::LiveComObjects;
using simhost::MessageSpec;
using simhost::Store;
using simhost::StoredMessage;

// One tag, the way the system builds its arrays.
struct OneTag {
  SizedSPropTagArray(1, tags);
  explicit OneTag(ULONG tag) : tags{1, {tag}} {}
  LPSPropTagArray get() { return reinterpret_cast<LPSPropTagArray>(&tags); }
};

// The way the system reads a text property: open it as a stream, ask its
// size, allocate size + 1, seek to the start, read, terminate.
std::optional<std::string> ReadAsStream(IMessage* message, ULONG tag) {
  LPUNKNOWN unk = nullptr;
  if (message->OpenProperty(tag, &IID_IStream, 0, 0, &unk) != S_OK) {
    EXPECT_EQ(unk, nullptr);
    return std::nullopt;
  }
  IStream* stream = static_cast<IStream*>(unk);
  STATSTG stat;
  EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
  const ULONG size = static_cast<ULONG>(stat.cbSize.QuadPart);
  LPVOID buffer = nullptr;
  EXPECT_EQ(MAPIAllocateBuffer(size + 1, &buffer), S_OK);
  LARGE_INTEGER start;
  start.QuadPart = 0;
  EXPECT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
  ULONG got = 0;
  EXPECT_EQ(stream->Read(buffer, size, &got), S_OK);
  static_cast<char*>(buffer)[got] = '\0';
  std::string text(static_cast<char*>(buffer));
  MAPIFreeBuffer(buffer);
  EXPECT_EQ(stream->Release(), 0u);
  return text;
}

class MessageStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MessageSpec received;
    received.name = "received";
    received.subject = "re: *icarus encrypted* report";
    received.body = "Classification: SECRET\r\nBody text";
    received.transportHeaders = "Received: from mta\r\nClassification: SECRET\r\n";
    store_.Add(received);

    MessageSpec bare;
    bare.name = "bare";
    bare.folder = Folder::Drafts;
    bare.flags = MSGFLAG_UNSENT;
    store_.Add(bare);
  }
  void TearDown() override {
    // Every object and every MAPI value handed out came back.
    EXPECT_EQ(LiveComObjects(), 0);
    EXPECT_EQ(sigplat::LiveMapiBuffers(), 0u);
  }

  IMessage* Open(const char* name) { return store_.NewMessage(*store_.Find(name)); }

  Store store_;
};

TEST_F(MessageStoreTest, GetPropsReportsAbsentPropertiesAsErrorValues) {
  IMessage* message = Open("bare");
  SizedSPropTagArray(4, tags) = {4, {PR_SUBJECT, PR_BODY, PR_MESSAGE_FLAGS, PR_MESSAGE_CLASS}};
  ULONG count = 0;
  LPSPropValue values = nullptr;
  ASSERT_EQ(message->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &values),
            MAPI_W_ERRORS_RETURNED);
  ASSERT_EQ(count, 4u);
  EXPECT_EQ(values[0].ulPropTag, PR_SUBJECT);
  EXPECT_STREQ(values[0].Value.lpszA, "");
  EXPECT_EQ(values[1].ulPropTag, PROP_TAG(PT_ERROR, PROP_ID(PR_BODY)));
  EXPECT_EQ(values[1].Value.err, MAPI_E_NOT_FOUND);
  EXPECT_EQ(values[2].ulPropTag, PR_MESSAGE_FLAGS);
  EXPECT_EQ(values[2].Value.l, MSGFLAG_UNSENT);
  EXPECT_STREQ(values[3].Value.lpszA, "IPM.Note");
  // One free releases the array and its strings.
  EXPECT_EQ(MAPIFreeBuffer(values), 0u);
  message->Release();
}

TEST_F(MessageStoreTest, GetPropsWithEverythingPresentHasNoWarning) {
  IMessage* message = Open("received");
  OneTag subject(PR_SUBJECT);
  ULONG count = 0;
  LPSPropValue values = nullptr;
  ASSERT_EQ(message->GetProps(subject.get(), 0, &count, &values), S_OK);
  EXPECT_STREQ(values[0].Value.lpszA, "re: *icarus encrypted* report");
  MAPIFreeBuffer(values);

  // An unspecified type is answered with the stored one; another type is no match.
  SizedSPropTagArray(2, tags) = {2, {CHANGE_PROP_TYPE(PR_MESSAGE_FLAGS, PT_UNSPECIFIED),
                                     CHANGE_PROP_TYPE(PR_SUBJECT, PT_LONG)}};
  ASSERT_EQ(message->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &values),
            MAPI_W_ERRORS_RETURNED);
  EXPECT_EQ(values[0].ulPropTag, PR_MESSAGE_FLAGS);
  EXPECT_EQ(values[1].ulPropTag, PROP_TAG(PT_ERROR, PROP_ID(PR_SUBJECT)));
  MAPIFreeBuffer(values);

  // No tag array: every property.
  ASSERT_EQ(message->GetProps(nullptr, 0, &count, &values), S_OK);
  EXPECT_GE(count, 6u);
  MAPIFreeBuffer(values);
  message->Release();
}

TEST_F(MessageStoreTest, TextPropertiesOpenAsStreams) {
  IMessage* message = Open("received");
  EXPECT_EQ(ReadAsStream(message, PR_BODY), "Classification: SECRET\r\nBody text");
  EXPECT_EQ(ReadAsStream(message, PR_TRANSPORT_MESSAGE_HEADERS),
            "Received: from mta\r\nClassification: SECRET\r\n");
  message->Release();

  message = Open("bare");
  EXPECT_EQ(ReadAsStream(message, PR_BODY), std::nullopt);
  LPUNKNOWN unk = reinterpret_cast<LPUNKNOWN>(message);
  EXPECT_EQ(message->OpenProperty(PR_BODY, &IID_IStream, 0, 0, &unk), MAPI_E_NOT_FOUND);
  EXPECT_EQ(unk, nullptr);
  EXPECT_EQ(message->OpenProperty(PR_SUBJECT, &IID_IMessage, 0, 0, &unk),
            MAPI_E_INTERFACE_NOT_SUPPORTED);
  EXPECT_EQ(message->OpenProperty(PR_MESSAGE_FLAGS, &IID_IStream, 0, 0, &unk),
            MAPI_E_INTERFACE_NOT_SUPPORTED);
  EXPECT_EQ(message->OpenProperty(PR_SUBJECT, nullptr, 0, 0, &unk), MAPI_E_INVALID_PARAMETER);
  testing::internal::CaptureStderr();
  EXPECT_EQ(message->OpenProperty(PR_BODY, &IID_IStream, 0, MAPI_CREATE | MAPI_MODIFY, &unk),
            MAPI_E_NO_SUPPORT);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("OpenProperty"), std::string::npos);
  message->Release();
}

// The custom-form property, as the message class filter asks for it.
TEST_F(MessageStoreTest, NamedPropertiesMapOnlyOnceSomeoneCreatesThem) {
  GUID set = simhost::kPropSetCommon;
  MAPINAMEID name{&set, MNID_ID, {0}};
  name.Kind.lID = simhost::kCustomFormPropertyId;
  LPMAPINAMEID names[] = {&name};
  IMessage* message = Open("received");

  // Not mapped yet: a warning and an error tag, which reads back as not found.
  LPSPropTagArray tags = nullptr;
  ASSERT_EQ(message->GetIDsFromNames(1, names, 0, &tags), MAPI_W_ERRORS_RETURNED);
  ASSERT_EQ(tags->cValues, 1u);
  EXPECT_EQ(tags->aulPropTag[0], PT_ERROR);
  ULONG count = 0;
  LPSPropValue values = nullptr;
  ASSERT_EQ(message->GetProps(tags, 0, &count, &values), MAPI_W_ERRORS_RETURNED);
  EXPECT_EQ(values[0].Value.l, MAPI_E_NOT_FOUND);
  MAPIFreeBuffer(values);
  MAPIFreeBuffer(tags);

  MessageSpec custom;
  custom.name = "custom";
  custom.messageClass = "IPM.Note.RFC822.MIME";
  custom.customForm = 1;
  store_.Add(custom);
  ASSERT_EQ(message->GetIDsFromNames(1, names, 0, &tags), S_OK);
  const ULONG id = PROP_ID(tags->aulPropTag[0]);
  EXPECT_GE(id, 0x8000u);
  EXPECT_EQ(PROP_TYPE(tags->aulPropTag[0]), PT_UNSPECIFIED);
  EXPECT_EQ(store_.CustomFormTag(), PROP_TAG(PT_LONG, id));

  // Mapped store-wide: present on the custom item, absent on the others.
  IMessage* customMessage = Open("custom");
  ASSERT_EQ(customMessage->GetProps(tags, 0, &count, &values), S_OK);
  EXPECT_EQ(values[0].ulPropTag, PROP_TAG(PT_LONG, id));
  EXPECT_EQ(values[0].Value.l, 1);
  MAPIFreeBuffer(values);
  ASSERT_EQ(message->GetProps(tags, 0, &count, &values), MAPI_W_ERRORS_RETURNED);
  EXPECT_EQ(values[0].Value.err, MAPI_E_NOT_FOUND);
  MAPIFreeBuffer(values);
  MAPIFreeBuffer(tags);
  customMessage->Release();

  // MAPI_CREATE maps new names, each to its own identifier, and keeps them.
  static char16_t kName[] = u"Sigilon";
  MAPINAMEID other{&set, MNID_ID, {0}};
  other.Kind.lID = 0x8543;
  MAPINAMEID named{&set, MNID_STRING, {0}};
  named.Kind.lpwstrName = kName;
  LPMAPINAMEID three[] = {&name, &other, &named};
  ASSERT_EQ(message->GetIDsFromNames(3, three, MAPI_CREATE, &tags), S_OK);
  EXPECT_EQ(PROP_ID(tags->aulPropTag[0]), id);
  EXPECT_NE(PROP_ID(tags->aulPropTag[1]), id);
  EXPECT_NE(PROP_ID(tags->aulPropTag[2]), PROP_ID(tags->aulPropTag[1]));
  const ULONG namedTag = tags->aulPropTag[2];
  MAPIFreeBuffer(tags);
  ASSERT_EQ(message->GetIDsFromNames(1, &three[2], 0, &tags), S_OK);
  EXPECT_EQ(tags->aulPropTag[0], namedTag);
  MAPIFreeBuffer(tags);
  message->Release();
}

TEST_F(MessageStoreTest, OpenEntryFindsMessagesByTheirEntryIdentifiers) {
  IMsgStore* msgStore = store_.NewMsgStore();
  ULONG cb = 0;
  LPENTRYID eid = nullptr;
  ASSERT_EQ(simhost::CopyEntryId(store_.Find("received")->EntryId(), &cb, &eid), S_OK);
  ULONG type = 0;
  LPUNKNOWN unk = nullptr;
  ASSERT_EQ(msgStore->OpenEntry(cb, eid, nullptr, MAPI_BEST_ACCESS, &type, &unk), S_OK);
  EXPECT_EQ(type, MAPI_MESSAGE);
  IMessage* message = nullptr;
  ASSERT_EQ(unk->QueryInterface(IID_IMessage, reinterpret_cast<void**>(&message)), S_OK);
  unk->Release();
  OneTag subject(PR_SUBJECT);
  ULONG count = 0;
  LPSPropValue values = nullptr;
  ASSERT_EQ(message->GetProps(subject.get(), 0, &count, &values), S_OK);
  EXPECT_STREQ(values[0].Value.lpszA, "re: *icarus encrypted* report");
  MAPIFreeBuffer(values);
  message->Release();

  // Another store's message, a damaged identifier: not found.
  Store otherStore;
  MessageSpec stranger;
  stranger.name = "received";
  otherStore.Add(stranger);
  const std::string foreign = otherStore.Find("received")->EntryId();
  std::string damaged = store_.Find("received")->EntryId();
  damaged.back() ^= 0x55;
  for (const std::string& bytes : {foreign, damaged, std::string("xyz")}) {
    unk = reinterpret_cast<LPUNKNOWN>(msgStore);
    EXPECT_EQ(msgStore->OpenEntry(static_cast<ULONG>(bytes.size()),
                                  reinterpret_cast<LPENTRYID>(const_cast<char*>(bytes.data())),
                                  nullptr, MAPI_BEST_ACCESS, &type, &unk),
              MAPI_E_NOT_FOUND);
    EXPECT_EQ(unk, nullptr);
  }

  // A folder is known but cannot be opened here; that is said, not hidden.
  const std::string inbox = store_.FolderEntryId(Folder::Inbox);
  testing::internal::CaptureStderr();
  EXPECT_EQ(msgStore->OpenEntry(static_cast<ULONG>(inbox.size()),
                                reinterpret_cast<LPENTRYID>(const_cast<char*>(inbox.data())),
                                nullptr, MAPI_BEST_ACCESS, &type, &unk),
            MAPI_E_NO_SUPPORT);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("folder"), std::string::npos);
  EXPECT_EQ(msgStore->OpenEntry(cb, eid, &IID_IStream, MAPI_BEST_ACCESS, &type, &unk),
            MAPI_E_INTERFACE_NOT_SUPPORTED);
  MAPIFreeBuffer(eid);
  msgStore->Release();
}

// The host and every open message see one set of properties.
TEST_F(MessageStoreTest, ChangesAreSharedBetweenHostAndOpenMessages) {
  StoredMessage& stored = *store_.Find("bare");
  IMessage* first = store_.NewMessage(stored);
  IMessage* second = store_.NewMessage(stored);
  char body[] = "Written by the extension";
  SPropValue value{PR_BODY, 0, {}};
  value.Value.lpszA = body;
  LPSPropProblemArray problems = nullptr;
  ASSERT_EQ(first->SetProps(1, &value, &problems), S_OK);
  EXPECT_EQ(problems, nullptr);
  EXPECT_EQ(ReadAsStream(second, PR_BODY), "Written by the extension");
  EXPECT_EQ(stored.Props().String(PR_BODY), "Written by the extension");

  stored.Props().SetString(PR_SUBJECT, "Set by the host");
  EXPECT_EQ(second->SetReadFlag(0), S_OK);
  EXPECT_EQ(stored.Props().Long(PR_MESSAGE_FLAGS), MSGFLAG_UNSENT | MSGFLAG_READ);

  // The entry identifier belongs to the store.
  SPropValue entry{PR_ENTRYID, 0, {}};
  BYTE bytes[] = {1, 2, 3};
  entry.Value.bin = SBinary{3, bytes};
  ASSERT_EQ(first->SetProps(1, &entry, &problems), S_OK);
  ASSERT_NE(problems, nullptr);
  EXPECT_EQ(problems->cProblem, 1u);
  EXPECT_EQ(problems->aProblem[0].scode, MAPI_E_COMPUTED);
  MAPIFreeBuffer(problems);
  EXPECT_EQ(stored.Props().Find(PR_ENTRYID)->bytes, stored.EntryId());
  first->Release();
  second->Release();
}

TEST_F(MessageStoreTest, ObjectsLiveUntilTheirLastRelease) {
  EXPECT_EQ(LiveComObjects(), 0);
  IMsgStore* msgStore = store_.NewMsgStore();
  IMessage* message = Open("received");
  EXPECT_EQ(LiveComObjects(), 2);

  IMAPIProp* prop = nullptr;
  ASSERT_EQ(message->QueryInterface(IID_IMAPIProp, reinterpret_cast<void**>(&prop)), S_OK);
  EXPECT_EQ(message->Release(), 1u);  // the interface asked for keeps it alive
  EXPECT_EQ(LiveComObjects(), 2);
  void* none = prop;
  EXPECT_EQ(prop->QueryInterface(IID_IMsgStore, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(prop->Release(), 0u);
  EXPECT_EQ(LiveComObjects(), 1);

  IUnknown* unk = nullptr;
  ASSERT_EQ(msgStore->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
  EXPECT_EQ(unk->AddRef(), 3u);
  EXPECT_EQ(unk->Release(), 2u);
  EXPECT_EQ(unk->Release(), 1u);
  EXPECT_EQ(msgStore->Release(), 0u);
  EXPECT_EQ(LiveComObjects(), 0);
}

TEST_F(MessageStoreTest, FoldersKeepTheirMessagesInOrder) {
  MessageSpec second;
  second.name = "second";
  store_.Add(second);
  EXPECT_THROW(store_.Add(second), std::invalid_argument);
  auto names = [&](Folder folder) {
    std::string text;
    for (const StoredMessage* m : store_.Messages(folder)) text += m->Name() + " ";
    return text;
  };
  EXPECT_EQ(names(Folder::Inbox), "received second ");
  StoredMessage& bare = *store_.Find("bare");
  store_.Move(bare, Folder::SentItems);
  EXPECT_EQ(names(Folder::Drafts), "");
  EXPECT_EQ(names(Folder::SentItems), "bare ");
  EXPECT_EQ(store_.FolderOf(bare), Folder::SentItems);
  EXPECT_EQ(store_.FindByEntryId(bare.EntryId().data(), bare.EntryId().size()), &bare);
}

}  // namespace
