#include "rules/classification_list.h"

#include "tests/rules/rules_fixture.h"

namespace {

class ClassificationList : public sigtest::RulesWorld {};

struct VerifyCase {
  std::string list;
  std::string candidate;
  int expected;
};

class Verify : public ClassificationList, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(Verify, MatchesWholeEntriesIgnoringCase) {
  WriteList(GetParam().list);
  EXPECT_EQ(VerifyClassification(GetParam().candidate.c_str()), GetParam().expected);
  if (GetParam().expected) {
    EXPECT_EQ(szBodyClass, GetParam().candidate);
    EXPECT_TRUE(bClassFound);
    EXPECT_TRUE(bFirstLineClassFound);
  } else {
    EXPECT_FALSE(bClassFound);
  }
}

const std::string kLong(250, 'L');

INSTANTIATE_TEST_SUITE_P(
    Lists, Verify,
    ::testing::Values(
        VerifyCase{"UNCLASSIFIED\r\nCONFIDENTIAL\r\nSECRET", "secret", 1},  // no final line end
        VerifyCase{"UNCLASSIFIED\nSECRET\n", "Secret", 1},                  // bare LF
        VerifyCase{"SECRET \r\n", "SECRET", 0},           // trailing space belongs to the entry
        VerifyCase{"SECRET \r\n", "secret ", 1},
        VerifyCase{" SECRET\r\n", "SECRET", 0},
        VerifyCase{"TOP SECRET\r\n", "SECRET", 0},        // the whole entry, not a part
        VerifyCase{"SECRET\r\n", "SECRET//NOFORN", 0},
        VerifyCase{"A\r\n\r\nB\r\n", "", 1},              // an empty line matches an empty text
        VerifyCase{"A\r\nB\r\n", "", 0},
        VerifyCase{"SECRET\rX\r\n", "SECRET", 0},         // a lone CR is part of the line
        // A line over 199 characters reads as several entries.
        VerifyCase{kLong + "\r\n", std::string(199, 'L'), 1},
        VerifyCase{kLong + "\r\n", std::string(51, 'L'), 1},
        VerifyCase{kLong + "\r\n", kLong, 0}));

TEST_F(ClassificationList, MissingListIsReportedAtEveryCheck) {
  EXPECT_EQ(VerifyClassification("SECRET"), 0);
  EXPECT_EQ(VerifyClassification("SECRET"), 0);
  EXPECT_TRUE(bCancelled);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0], "Error!  Missing file|Can't open SIGILON.TXT file\nC:\\Sigilon\\SIGILON.TXT");
}

TEST_F(ClassificationList, FolderWithTrailingBackslashGivesTheSamePath) {
  SetString(HKEY_CURRENT_USER, sigtest::kUserKey, "ClassificationPath", "C:\\Lists\\");
  EXPECT_EQ(VerifyClassification("SECRET"), 0);
  EXPECT_EQ(Boxes().at(0), "Error!  Missing file|Can't open SIGILON.TXT file\nC:\\Lists\\SIGILON.TXT");
}

TEST_F(ClassificationList, OverlongListPathFailsLikeAMissingFile) {
  SetString(HKEY_CURRENT_USER, sigtest::kUserKey, "ClassificationPath",
            "C:\\" + std::string(132, 'd'));
  EXPECT_EQ(VerifyClassification("SECRET"), 0);
  EXPECT_EQ(Boxes().size(), 1u);
}

struct ScanCase {
  const char* name;
  bool autodin;
  const char* text;
  int result;
  const char* bodyClass;
  bool firstLine;
};

class BodyScan : public ClassificationList, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(BodyScan, FindsTheMarkingAndItsClassification) {
  const ScanCase& c = GetParam();
  WriteList("UNCLASSIFIED\r\nCONFIDENTIAL\r\nSECRET\r\nTOP SECRET\r\n");
  bAUTODIN = c.autodin;
  const std::string before = c.text;
  EXPECT_EQ(FindBodyClass(c.text), c.result) << c.name;
  EXPECT_STREQ(szBodyClass, c.bodyClass) << c.name;
  EXPECT_EQ(bFirstLineClassFound, c.firstLine ? TRUE : FALSE) << c.name;
  if (!c.autodin) {
    EXPECT_EQ(bBodyClassFound, c.result != 0 ? TRUE : FALSE) << c.name;
  }
  EXPECT_EQ(before, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BodyScan,
    ::testing::Values(
        ScanCase{"prefix at start", false, "classification: SECRET\r\nHello", 1, "SECRET", true},
        ScanCase{"prefix on a later line", false, "Hello\r\nClassification:   Top Secret  \r\n", 2,
                 "Top Secret  ", false},
        ScanCase{"prefix inside a line", false, "Hello Classification: SECRET", 0, "", false},
        ScanCase{"classification on the next line after CR LF", false,
                 "Classification:\r\nSECRET", 1, "", true},
        ScanCase{"classification on the next line after LF", false, "Classification:\nSECRET", 1,
                 "SECRET", true},
        ScanCase{"never consults the list", false, "Classification: BOGUS\r\n", 1, "BOGUS", true},
        ScanCase{"prefix alone at the end", false, "Classification:", 1, "", true},
        ScanCase{"empty text", false, "", 0, "", false},
        ScanCase{"autodin listed with colon", true, "SECRET: handle via courier\r\nBody", 1,
                 "SECRET", true},
        ScanCase{"autodin lower case", true, "top secret\r\n", 1, "TOP SECRET", true},
        ScanCase{"autodin trailing spaces", true, "SECRET   \r\n", 1, "SECRET", true},
        ScanCase{"autodin leading line end", true, "\r\nSECRET\r\n", 0, "", false},
        ScanCase{"autodin not listed", true, "BOGUS\r\n", 0, "", false},
        ScanCase{"autodin leading colons", true, "::SECRET\r\n", 1, "SECRET", true}));

TEST_F(ClassificationList, LongMarkingIsCutToItsBuffer) {
  const std::string text = "Classification: " + std::string(300, 'X') + "\r\n";
  EXPECT_EQ(FindBodyClass(text.c_str()), 1);
  EXPECT_EQ(std::string(szBodyClass), std::string(199, 'X'));
}

struct FirstLineCase {
  bool autodin;
  std::string text;
  std::string expected;
};

class FirstLine : public ClassificationList, public ::testing::WithParamInterface<FirstLineCase> {};

TEST_P(FirstLine, TakesTheMarkingLinesClassification) {
  bAUTODIN = GetParam().autodin;
  std::strcpy(szFirstLineClass, "stale");
  FindFirstLineClass(GetParam().text.c_str());
  EXPECT_EQ(szFirstLineClass, GetParam().expected);
}

const std::string kLate = std::string(1020, 'a') + "\r\nClassification: SECRET\r\n";
const std::string kWide = "Classification: " + std::string(120, 'W') + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstLine,
    ::testing::Values(
        FirstLineCase{false, "To all: Classification: Secret//Rel: X", "SECRET//REL"},
        FirstLineCase{false, "Classification: Secret\r\nBody", "SECRET"},
        FirstLineCase{false, "Classification:   \r\n\r\nTop Secret  \r\n", "TOP SECRET"},
        FirstLineCase{false, "No marking here", ""},
        FirstLineCase{false, "Classification:Secret", ""},  // the space of the prefix is required
        FirstLineCase{false, kLate, ""},
        FirstLineCase{false, kWide, std::string(96, 'W')},
        FirstLineCase{true, "Secret: note", "Secret"},
        FirstLineCase{true, "::Confidential  \r\nBody", "Confidential"},
        FirstLineCase{true, "", ""}));

}  // namespace
