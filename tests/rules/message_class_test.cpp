#include "rules/message_class.h"

#include <optional>

#include "com_object.h"
#include "sigplat/mapi_memory.h"
#include "tests/support/fresh_world.h"
#include "tests/support/test_callback.h"

namespace {

struct ClassCase {
  std::string messageClass;
  std::optional<LONG> customForm;
  int expected;
};

class MessageClassFilter : public sigtest::FreshWorld,
                           public ::testing::WithParamInterface<ClassCase> {
 protected:
  void TearDown() override {
    EXPECT_EQ(simhost::LiveComObjects(), 0);
    EXPECT_EQ(sigplat::LiveMapiBuffers(), 0);
    FreshWorld::TearDown();
  }
};

TEST_P(MessageClassFilter, LeavesOnlyCustomFormsAlone) {
  simhost::Store store;
  simhost::MessageSpec described;
  described.name = "item";
  described.messageClass = GetParam().messageClass;
  described.customForm = GetParam().customForm;
  sigtest::TestCallback callback;
  callback.store = &store;
  callback.item = &store.Add(described);
  EXPECT_EQ(CheckMessageClass(&callback), GetParam().expected);
  EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Classes, MessageClassFilter,
    ::testing::Values(ClassCase{"IPM.Note", std::nullopt, 0}, ClassCase{"ipm.note", std::nullopt, 0},
                      ClassCase{"IPM", std::nullopt, 0},
                      ClassCase{"IPM.Note.Rules.ReplyTemplate.Microsoft", std::nullopt, 0},
                      ClassCase{"IPM.Note.P772", std::nullopt, 0},
                      ClassCase{"IPM.Note.Secure", std::nullopt, 1},
                      ClassCase{"IPM.Note.MyForm", std::nullopt, 1},
                      ClassCase{"IPM.NOTE ", std::nullopt, 1},
                      ClassCase{"IPM.Note.RFC822.MIME", 1, 1},
                      ClassCase{"IPM.Note.RFC822.MIME", 0, 0},
                      ClassCase{"IPM.Post", 7, 1},
                      ClassCase{"", std::nullopt, 0}));

using MessageClassErrors = sigtest::FreshWorld;

TEST_F(MessageClassErrors, UnreachableItemCountsAsStandardAndIsReported) {
  sigtest::TestCallback callback;
  callback.objectFails = true;
  EXPECT_EQ(CheckMessageClass(&callback), 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"CheckMessageClass|Error: Couldn't access the message."});
}

TEST_F(MessageClassErrors, CustomFormPropertyOnAnotherItemOnlyMapsTheName) {
  simhost::Store store;
  simhost::MessageSpec withForm;
  withForm.name = "form";
  withForm.customForm = 5;
  store.Add(withForm);
  simhost::MessageSpec plain;
  plain.name = "plain";
  sigtest::TestCallback callback;
  callback.store = &store;
  callback.item = &store.Add(plain);
  EXPECT_EQ(CheckMessageClass(&callback), 0);  // mapped, but absent on this item
}

TEST(MakeGuidTest, FillsEveryPartAndIgnoresNull) {
  GUID guid;
  MakeGuid(&guid, 0x00062008, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46);
  const GUID expected = {0x00062008, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  EXPECT_TRUE(IsEqualGUID(guid, expected));
  MakeGuid(nullptr, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11);
}

}  // namespace
