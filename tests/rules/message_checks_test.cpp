#include "rules/message_checks.h"

#include "com_object.h"
#include "sigplat/mapi_memory.h"
#include "tests/rules/rules_fixture.h"
#include "tests/support/test_callback.h"

namespace {

class Inspection : public sigtest::RulesWorld {
 protected:
  void SetUp() override {
    RulesWorld::SetUp();
    callback_.store = &store_;
    bMessageBodyExists = FALSE;
    bIcarus = TRUE;
  }
  void TearDown() override {
    // Every object and every MAPI block the scans obtained was given back.
    EXPECT_EQ(simhost::LiveComObjects(), 0);
    EXPECT_EQ(sigplat::LiveMapiBuffers(), 0);
    RulesWorld::TearDown();
  }
  simhost::StoredMessage& Add(const char* name, std::optional<std::string> body,
                              std::optional<std::string> headers = std::nullopt,
                              const char* subject = "Subject") {
    simhost::MessageSpec described;
    described.name = name;
    described.subject = subject;
    described.body = std::move(body);
    described.transportHeaders = std::move(headers);
    return store_.Add(described);
  }
  simhost::Store store_;
  sigtest::TestCallback callback_;
  char result_[kClassSize] = "untouched";
  ULONG type_ = 0;
};

TEST_F(Inspection, BodyMarkingOfTheSelectedMessage) {
  callback_.selected = &Add("m1", "Classification: SECRET\r\nHello");
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 1);
  EXPECT_STREQ(result_, "SECRET");
  EXPECT_EQ(type_, static_cast<ULONG>(MAPI_MESSAGE));
  EXPECT_TRUE(bMessageBodyExists);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Inspection, BodyClassificationIsCutToLeaveRoomForThePrefix) {
  callback_.selected = &Add("m1", "Classification: " + std::string(190, 'S') + "\r\n");
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 1);
  EXPECT_EQ(std::string(result_), std::string(178, 'S'));  // 193 - 15
}

TEST_F(Inspection, HeaderMarkingFoundWhereTheBodyHasNone) {
  callback_.selected = &Add("m1", "Hello\r\n",
                            "Received: from x\r\nClassification: CONFIDENTIAL\r\nSubject: y\r\n");
  EXPECT_EQ(CheckHeaderClass(&callback_, result_, &type_), 1);
  EXPECT_STREQ(result_, "CONFIDENTIAL");
  EXPECT_FALSE(bIcarus);
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 0);
  EXPECT_STREQ(result_, "");
}

TEST_F(Inspection, MissingPropertiesGiveNothingWithoutMessages) {
  callback_.selected = &Add("m1", std::nullopt);
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 0);
  EXPECT_FALSE(bMessageBodyExists);
  EXPECT_STREQ(result_, "untouched");  // left as it was when there is no body
  EXPECT_EQ(CheckHeaderClass(&callback_, result_, &type_), 0);
  EXPECT_STREQ(result_, "");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Inspection, SelectedFolderIsNotScanned) {
  Add("m1", "Classification: SECRET\r\n");
  callback_.folderSelected = true;
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 0);
  EXPECT_EQ(type_, static_cast<ULONG>(MAPI_FOLDER));
  EXPECT_STREQ(result_, "");
  EXPECT_EQ(CheckHeaderClass(&callback_, result_, &type_), 0);
  EXPECT_EQ(type_, static_cast<ULONG>(MAPI_FOLDER));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Inspection, SelectionWithoutEntryIdReadsTheContextItem) {
  callback_.item = &Add("open", "Classification: TOP SECRET\r\n");
  callback_.selected = &Add("other", "nothing\r\n");
  callback_.selectionWithoutEntryId = true;
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 1);
  EXPECT_STREQ(result_, "TOP SECRET");
}

TEST_F(Inspection, UnreachableStoreAndMessageAreReported) {
  callback_.objectFails = true;
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 0);
  EXPECT_EQ(CheckHeaderClass(&callback_, result_, &type_), 0);
  EXPECT_EQ(CheckHeaderICARUS(&callback_), 0);
  EXPECT_EQ(CheckSubjectICARUS(&callback_), 0);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         "CheckBodyClass|Error: Couldn't access the message store.",
                         "CheckHeaderClass|Error: Couldn't access the message store.",
                         "CheckHeaderClass|Error: Couldn't access the message.",
                         "CheckSubjectICARUS|Error: Couldn't access the message."}));
}

TEST_F(Inspection, EntryIdTheStoreDoesNotKnowIsReported) {
  simhost::Store other;
  simhost::MessageSpec described;
  described.name = "elsewhere";
  callback_.selected = &other.Add(described);
  EXPECT_EQ(CheckBodyClass(&callback_, result_, &type_), 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"CheckBodyClass|Error: Couldn't access the message."});
}

struct IcarusCase {
  std::optional<std::string> headers;
  std::string subject;
  int header;
  int subjectResult;
};

class Icarus : public Inspection, public ::testing::WithParamInterface<IcarusCase> {};

TEST_P(Icarus, MarkersAreFoundWhateverTheirCase) {
  callback_.item = &Add("m1", "body", GetParam().headers, GetParam().subject.c_str());
  EXPECT_EQ(CheckHeaderICARUS(&callback_), GetParam().header);
  EXPECT_FALSE(bIcarus);
  EXPECT_EQ(CheckSubjectICARUS(&callback_), GetParam().subjectResult);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Icarus,
    ::testing::Values(IcarusCase{"X-Mailer: y\r\nEncrypted: Icarus\r\n", "re: *icarus encrypted* report",
                                 1, 1},
                      IcarusCase{"X: a ENCRYPTED: ICARUS b", "ICARUS ENCRYPTED", 1, 0},
                      IcarusCase{"Encrypted:  Icarus\r\n", "", 0, 0},
                      IcarusCase{std::nullopt, "*ICARUS ENCRYPTED*", 0, 1}));

}  // namespace
