// The host's callback serves the selected message of the viewer to the
// extension's scans exactly as they expect it.
#include "host_callback.h"

#include <sstream>

#include "com_object.h"
#include "rules/message_class.h"
#include "rules/message_checks.h"
#include "sigplat/mapi_memory.h"
#include "tests/rules/rules_fixture.h"

namespace {

class HostCallbackStore : public sigtest::RulesWorld {
 protected:
  void SetUp() override {
    RulesWorld::SetUp();
    callback_ = simhost::HostCallback::Create(report_, EECONTEXT_VIEWER, nullptr,
                                              simhost::defaultBuild(simhost::scenario::OutlookVersion::V2000),
                                              &mailbox_);
  }
  void TearDown() override {
    EXPECT_EQ(callback_->Release(), 0u);
    EXPECT_EQ(simhost::LiveComObjects(), 0);
    EXPECT_EQ(sigplat::LiveMapiBuffers(), 0);
    RulesWorld::TearDown();
  }
  void Add(const std::string& id, const std::string& body, std::optional<std::string> header,
           const std::string& messageClass = "IPM.Note") {
    simhost::scenario::AddMessage message;
    message.id = id;
    message.subject = "Subject of " + id;
    message.body = body;
    message.header = std::move(header);
    message.messageClass = messageClass;
    mailbox_.add(message);
  }

  std::ostringstream out_;
  simhost::HostReport report_{out_, false};
  simhost::Mailbox mailbox_;
  simhost::HostCallback* callback_ = nullptr;
  char result_[kClassSize] = "";
  ULONG type_ = 0;
};

TEST_F(HostCallbackStore, ScansReadTheSelectedMessage) {
  Add("plain", "Nothing here\r\n", std::nullopt);
  Add("marked", "Classification: SECRET\r\nText\r\n", "X: y\r\nClassification: TOP SECRET\r\n");
  mailbox_.select(mailbox_.find("marked"));
  EXPECT_EQ(CheckBodyClass(callback_, result_, &type_), 1);
  EXPECT_STREQ(result_, "SECRET");
  EXPECT_EQ(CheckHeaderClass(callback_, result_, &type_), 1);
  EXPECT_STREQ(result_, "TOP SECRET");
  mailbox_.select(mailbox_.find("plain"));
  EXPECT_EQ(CheckBodyClass(callback_, result_, &type_), 0);
  EXPECT_EQ(CheckHeaderClass(callback_, result_, &type_), 0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(out_.str(), "");  // nothing the host could not serve
}

TEST_F(HostCallbackStore, MessageClassOfTheSelectedItem) {
  Add("form", "x", std::nullopt, "IPM.Note.Expenses");
  mailbox_.select(mailbox_.find("form"));
  EXPECT_EQ(CheckMessageClass(callback_), 1);
}

TEST_F(HostCallbackStore, NoSelectionMeansNoMessage) {
  EXPECT_EQ(CheckBodyClass(callback_, result_, &type_), 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{
                         "CheckBodyClass|Error: Couldn't access the message store."});
  ULONG count = 9;
  EXPECT_EQ(callback_->GetSelectionCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
}

}  // namespace
