#include "rules/colour_map.h"

#include "tests/rules/rules_fixture.h"

namespace {

constexpr COLORREF kCallers = 0x00123456;

struct MapCase {
  std::string map;
  std::string classification;
  COLORREF expected;
};

class ColourMap : public sigtest::RulesWorld, public ::testing::WithParamInterface<MapCase> {};

TEST_P(ColourMap, GivesTheFirstMatchingEntrysColour) {
  WriteMap(GetParam().map);
  std::snprintf(szFirstLineClass, kClassSize, "%s", GetParam().classification.c_str());
  COLORREF colour = kCallers;
  CheckColourMap(&colour);
  EXPECT_EQ(colour, GetParam().expected);
  EXPECT_TRUE(Boxes().empty());
}

const char kExample[] =
    "; colours for classification markings\r\n"
    "FF:00:00:TOP SECRET\r\n"
    "FF:80:00:SECRET\r\n"
    "00:80:00:UNCLASSIFIED\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ColourMap,
    ::testing::Values(MapCase{kExample, "TOP SECRET", 0x000000FF},
                      MapCase{kExample, "SECRET", 0x000080FF},
                      MapCase{kExample, "Unclassified", 0x00008000},
                      MapCase{kExample, "CONFIDENTIAL", kCallers},
                      MapCase{kExample, "", kCallers},
                      MapCase{"FF:00:00: SECRET \r\n", "SECRET", 0x000000FF},
                      MapCase{"1FF:0:0:X\r\n", "X", 0x000000FF},
                      MapCase{"FF::00:SECRET\r\n", "SECRET", 0x000000FF},
                      MapCase{"  0a:0B:c:SECRET:ignored\r\n", "SECRET", 0x000C0B0A},
                      MapCase{"zz:12:34:SECRET\r\n", "SECRET", 0x00341200},
                      MapCase{":FF:00:00:SECRET\r\n", "SECRET", 0x000000FF},
                      MapCase{"\r\n;FF:00:00:SECRET\r\n00:00:FF:SECRET\r\n", "SECRET", 0x00FF0000},
                      MapCase{"FFFFFFFFFFFF:00:00:SECRET\r\n", "SECRET", 0x000000FF},
                      MapCase{"01:02:03:" + std::string(200, 'K') + "\r\n", std::string(199, 'K'),
                              kCallers},
                      MapCase{"01:02:03:" + std::string(150, 'K') + "\r\n", std::string(150, 'K'),
                              0x00030201}));

using ColourMapFile = sigtest::RulesWorld;

TEST_F(ColourMapFile, EntryWithoutKeywordIsReportedAndSkipped) {
  WriteMap("FF:00:00:\r\nFF:00:00\r\n00:FF:00:SECRET\r\n");
  std::strcpy(szFirstLineClass, "SECRET");
  COLORREF colour = kCallers;
  CheckColourMap(&colour);
  EXPECT_EQ(colour, 0x0000FF00u);
  const std::string message =
      "Error!  Incorrect file format|Missing keyword in  SIGILON.MAP file\nC:\\Sigilon\\"
      "SIGILON.MAP \nfor colour FF: 0:00";
  EXPECT_EQ(Boxes(), (std::vector<std::string>{message, message}));
}

TEST_F(ColourMapFile, MissingMapLeavesTheColour) {
  std::strcpy(szFirstLineClass, "SECRET");
  COLORREF colour = kCallers;
  CheckColourMap(&colour);
  EXPECT_EQ(colour, kCallers);
  EXPECT_EQ(Boxes(), std::vector<std::string>{
                         "Error!  Missing file|Can't open SIGILON.MAP file\nC:\\Sigilon\\SIGILON.MAP"});
}

TEST_F(ColourMapFile, MissingUserKeyIsReported) {
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Exchange\\Client\\Extensions", 0,
                          KEY_ALL_ACCESS, &h),
            ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyA(h, "Sigilon for Outlook"), ERROR_SUCCESS);
  RegCloseKey(h);
  COLORREF colour = kCallers;
  CheckColourMap(&colour);
  EXPECT_EQ(colour, kCallers);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].substr(0, 29), "Error accessing Registry Key|");
}

}  // namespace
