// The host build check, with a real "outllib.dll" image beside the host
// executable and the version dialog answered by the test.
#include "env/outlook_version.h"

#include "extension/module_state.h"
#include "rules/settings_store.h"
#include "sigplat/pe_image.h"
#include "sigplat/world.h"
#include "tests/support/deliverable.h"
#include "tests/support/fresh_world.h"

namespace {

using sigtest::kUserKey;

const char kOffice[] = "C:\\Program Files\\Microsoft Office\\Office\\";

class HostVersion : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    sigplat::SetExecutablePath(std::string(kOffice) + "OUTLOOK.EXE");
    // The dialogs come from the extension's own resources.
    sigtest::InstallLibrary(SIGIL32_PATH, "C:\\Program Files\\Sigilon\\Sigil32.dll");
    module_ = LoadLibraryA("C:\\Program Files\\Sigilon\\Sigil32.dll");
    ASSERT_NE(module_, nullptr);
    ghInstDLL = module_;
    sigplat::ClearTranscript();
    bWarningEnabled = FALSE;
  }
  void TearDown() override {
    ghInstDLL = nullptr;
    FreeLibrary(module_);
    FreshWorld::TearDown();
  }
  void Host(WORD a, WORD b, WORD c, WORD d) {
    DWORD error = 0;
    ASSERT_TRUE(sigplat::WriteVersionedImage((std::string(kOffice) + "outllib.dll").c_str(), a, b,
                                             c, d, "Microsoft Outlook", &error));
  }
  void Accepted(DWORD major, DWORD minor) {
    SetDword(HKEY_CURRENT_USER, kUserKey, "LastMajorBuild", major);
    SetDword(HKEY_CURRENT_USER, kUserKey, "LastMinorBuild", minor);
  }
  HMODULE module_ = nullptr;
};

TEST_F(HostVersion, KnownBuildIsAcceptedQuietly) {
  Host(9, 0, 0, 2625);
  Accepted(0x00090000, 0x00000A41);
  EXPECT_EQ(CheckOutlookVersion(nullptr), 99);
  EXPECT_TRUE(sigplat::Transcript().empty());
  EXPECT_EQ(dwCurrentVersionMS, 0x00090000u);
  EXPECT_EQ(dwCurrentVersionLS, 0x00000A41u);
}

TEST_F(HostVersion, NewerBuildAsksAndUncheckingTheBoxAcceptsItForGood) {
  Host(9, 0, 0, 3821);
  Accepted(0x00090000, 0x00000A41);
  agent_.QueueDialog({sigtest::Click(1063), sigtest::Click(1064)});
  EXPECT_EQ(CheckOutlookVersion(nullptr), 99);
  EXPECT_EQ(Dialogs(), std::vector<int>{151});
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "WarningEnabled"), 0u);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "LastMinorBuild"), 3821u);

  sigplat::ClearTranscript();
  EXPECT_EQ(CheckOutlookVersion(nullptr), 99);
  EXPECT_TRUE(Dialogs().empty());
}

TEST_F(HostVersion, NewerBuildRefusedWithNo) {
  Host(9, 0, 0, 3821);
  Accepted(0x00090000, 0x00000A41);
  agent_.QueueDialog({sigtest::Click(4)});
  EXPECT_EQ(CheckOutlookVersion(nullptr), 0);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "LastMinorBuild"), 0xA41u);  // box still on
}

TEST_F(HostVersion, OldBuildIsRefusedWithAMessage) {
  Host(9, 0, 0, 2000);
  Accepted(0x00090000, 0x00000A41);
  EXPECT_EQ(CheckOutlookVersion(nullptr), 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{
                         "Warning - Old Version [9.0.0.2000]|This version of Outlook 2000 needs to "
                         "be upgraded to work with Sigilon"});
  EXPECT_EQ(sigplat::Transcript()[0].messageBox.type & MB_ICONMASK, 0u);
}

TEST_F(HostVersion, Outlook97BelowTheMinimumIsStillAcceptedAfterTheMessage) {
  Host(8, 3, 0, 5000);
  Accepted(0, 0);
  EXPECT_EQ(CheckOutlookVersion(nullptr), 97);
  EXPECT_EQ(Boxes().size(), 1u);
}

struct BuildCase {
  WORD a, b, c, d;
  int expected;
};

class HostBuilds : public HostVersion, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(HostBuilds, MapToTheirCodes) {
  const BuildCase& c = GetParam();
  Host(c.a, c.b, c.c, c.d);
  Accepted(MAKELONG(c.b, c.a), MAKELONG(c.d, c.c));
  EXPECT_EQ(CheckOutlookVersion(nullptr), c.expected);
  EXPECT_TRUE(Dialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(Builds, HostBuilds,
                         ::testing::Values(BuildCase{8, 3, 1, 5228, 97}, BuildCase{8, 4, 0, 5619, 97},
                                           BuildCase{8, 5, 5603, 0, 98},
                                           BuildCase{10, 0, 2627, 1, 1},
                                           BuildCase{10, 0, 1, 1, 1}, BuildCase{11, 0, 0, 1, 0},
                                           BuildCase{7, 0, 0, 1, 0}));

TEST_F(HostVersion, MissingLibraryOrExecutableMeansNoOutlook) {
  EXPECT_EQ(CheckOutlookVersion(nullptr), 0);  // no outllib.dll written
  WriteWorldFile("C:\\Program Files\\Microsoft Office\\Office\\outllib.dll", "not an image");
  EXPECT_EQ(CheckOutlookVersion(nullptr), 0);
  EXPECT_TRUE(sigplat::Transcript().empty());
}

}  // namespace
