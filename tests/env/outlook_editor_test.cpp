#include "env/outlook_editor.h"

#include <optional>

#include "tests/support/fresh_world.h"

namespace {

const char kWord97[] = "Software\\Microsoft\\Office\\8.0\\Word\\Options\\OutlookEditor";
const char kMail98[] = "Software\\Microsoft\\Office\\8.0\\Outlook\\Options\\Mail";
const char kMail2000[] = "Software\\Microsoft\\Office\\9.0\\Outlook\\Options\\Mail";
const char kMail2002[] = "Software\\Microsoft\\Office\\10.0\\Outlook\\Options\\Mail";

struct EditorCase {
  int version;
  std::optional<DWORD> preference;  // "EditorPreference" of that version's key; none: no key
  int expected;
};

const char* KeyOf(int version) {
  switch (version) {
    case 98: return kMail98;
    case 99: return kMail2000;
    default: return kMail2002;
  }
}

class EditorChoice : public sigtest::FreshWorld, public ::testing::WithParamInterface<EditorCase> {};

TEST_P(EditorChoice, MapsOfficesPreference) {
  const EditorCase& c = GetParam();
  if (c.preference) SetDword(HKEY_CURRENT_USER, KeyOf(c.version), "EditorPreference", *c.preference);
  EXPECT_EQ(CheckOutlookEditor(c.version), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Outlook98, EditorChoice,
    ::testing::Values(EditorCase{98, 0u, 4}, EditorCase{98, 1u, 3}, EditorCase{98, 2u, 1},
                      EditorCase{98, 0x10000u, 2}, EditorCase{98, 0x10001u, 5},
                      EditorCase{98, 0x30002u, 5}, EditorCase{98, std::nullopt, 2}));
INSTANTIATE_TEST_SUITE_P(
    Outlook2000, EditorChoice,
    ::testing::Values(EditorCase{99, 0u, 5}, EditorCase{99, 2u, 5}, EditorCase{99, 0x10000u, 2},
                      EditorCase{99, 0x10001u, 3}, EditorCase{99, 0x20000u, 4},
                      EditorCase{99, 0x20001u, 3}, EditorCase{99, 0x30001u, 3},
                      EditorCase{99, 0x30002u, 1}, EditorCase{99, 0x30000u, 5},
                      EditorCase{99, std::nullopt, 2}));
INSTANTIATE_TEST_SUITE_P(
    Outlook2002, EditorChoice,
    ::testing::Values(EditorCase{1, 0x30002u, 1}, EditorCase{1, 0x20000u, 4},
                      EditorCase{1, 0x10000u, 2}, EditorCase{1, std::nullopt, 3}));

using EditorSettings = sigtest::FreshWorld;

TEST_F(EditorSettings, Outlook97ReadsWordsEditorKey) {
  EXPECT_EQ(CheckOutlookEditor(97), 1);  // no key: Outlook's own editor
  SetString(HKEY_CURRENT_USER, kWord97, "", "1");
  EXPECT_EQ(CheckOutlookEditor(97), 3);
  TurnWordMailOff(97);
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kWord97, ""), "0");
  EXPECT_EQ(CheckOutlookEditor(97), 1);
}

TEST_F(EditorSettings, UnknownVersionsHaveNoEditor) {
  EXPECT_EQ(CheckOutlookEditor(0), 5);
  EXPECT_EQ(CheckOutlookEditor(42), 5);
  TurnWordMailOff(0);
  EXPECT_FALSE(GetDword(HKEY_CURRENT_USER, kMail2000, "EditorPreference").has_value());
}

struct WordOffCase {
  int version;
  std::optional<DWORD> before;
  DWORD after;
};

class WordMailOff : public sigtest::FreshWorld, public ::testing::WithParamInterface<WordOffCase> {};

TEST_P(WordMailOff, SwitchesWordAwayAndKeepsTheFormat) {
  const WordOffCase& c = GetParam();
  // The key exists either way; only the value may be missing.
  SetDword(HKEY_CURRENT_USER, KeyOf(c.version), "Other", 0);
  if (c.before) SetDword(HKEY_CURRENT_USER, KeyOf(c.version), "EditorPreference", *c.before);
  TurnWordMailOff(c.version);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, KeyOf(c.version), "EditorPreference"), c.after);
  EXPECT_NE(CheckOutlookEditor(c.version), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordMailOff,
    ::testing::Values(WordOffCase{98, 1u, 2u}, WordOffCase{98, 0u, 0u},
                      WordOffCase{98, std::nullopt, 0x10000u}, WordOffCase{99, 0x10001u, 0x10000u},
                      WordOffCase{99, 0x20001u, 0x20000u}, WordOffCase{99, 0x30001u, 0x30002u},
                      WordOffCase{99, 0x30002u, 0x30002u}, WordOffCase{99, std::nullopt, 0x10000u},
                      WordOffCase{1, std::nullopt, 0x10000u}, WordOffCase{1, 0x20001u, 0x20000u}));

TEST_F(EditorSettings, WordMailOffLeavesAMissingKeyMissing) {
  TurnWordMailOff(99);
  TurnWordMailOff(1);
  EXPECT_FALSE(GetDword(HKEY_CURRENT_USER, kMail2000, "EditorPreference").has_value());
  EXPECT_FALSE(GetDword(HKEY_CURRENT_USER, kMail2002, "EditorPreference").has_value());
}

}  // namespace
