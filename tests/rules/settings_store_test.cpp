#include "rules/settings_store.h"

#include <algorithm>
#include <cstring>

#include "env/dms_detect.h"
#include "tests/support/fresh_world.h"

namespace {

using sigtest::kMachineKey;
using sigtest::kUserKey;

const char kUserHeader[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for Outlook";

// The settings as a freshly loaded library has them.
void ResetSettingsGlobals() {
  bAUTODIN = bInsertSpace = bStyleLocked = bNoEdit = FALSE;
  bReadClassification = bReplyScan = bAutoPrompt = bColourMapped = FALSE;
  bIgnoreWordMail = bWordWarning = bSettingsLocked = FALSE;
  bPrintHF = bPrintEnableHF = bPrintColour = bHFEnableHTML = bDeclassify = FALSE;
  bDMSActive = FALSE;
  Debug = 0;
  Trace = 0;
  szCB[0] = szDF[0] = szDO[0] = szRN[0] = '\0';
  szMatchString[0] = '\0';
  std::strcpy(szClassInsert, "Classification: ");
  std::strcpy(szCLASSIFICATION, "CLASSIFICATION:");
  nClassMatchLength = 0;
}

class SettingsStore : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    ResetSettingsGlobals();
  }
  // What process attach does with the settings.
  void Load() {
    CheckRegistryKeys();
    bDMSActive = CheckDMS();
    InitializeFromRegistryKeys();
  }
  int CountBoxes(const std::string& captionAndText) {
    const auto boxes = Boxes();
    return static_cast<int>(std::count(boxes.begin(), boxes.end(), captionAndText));
  }
};

TEST_F(SettingsStore, FreshUserGetsExactlyTheDefaultSetFromTheMachineKey) {
  InstallMachineDefaults();
  Load();

  std::vector<std::string> names = ValueNames("user.reg", kUserHeader);
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected = {
      "AUTODIN", "AutoPrompt", "DMSAutoPrompt", "ClassificationPath", "Debug",
      "DefaultClassification", "DMSModuleName", "FontBold", "FontColour", "FontFaceName",
      "FontItalic", "FontPointSize", "FontStrikeOut", "FontUnderline", "HF_FontBold",
      "HF_FontColour", "HF_FontFaceName", "HF_FontItalic", "HF_FontPointSize",
      "HF_FontStrikeOut", "HF_FontUnderline", "HF_Justification", "HF_EnableHTML",
      "InsertSpace", "Justification", "LastMajorBuild", "LastMinorBuild", "LastSelection",
      "MapColour", "MatchString", "NoEdit", "PrintColour", "PrintEnableHF", "PrintHF",
      "ReadClassification", "ReplyClassification", "SettingsLocked", "StyleLocked", "Trace",
      "WordWarning"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);

  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "ClassificationPath"), "C:\\Sigilon");
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "MatchString"), "Classification:");
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "FontFaceName"), "Arial");
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "LastMinorBuild"), 0xA41u);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "HF_Justification"), 3u);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "StyleLocked"), 1u);  // machine lacks it
  EXPECT_STREQ(szClassInsert, "Classification: ");
  EXPECT_TRUE(bAutoPrompt);
  EXPECT_TRUE(bReadClassification);
  EXPECT_TRUE(bReplyScan);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SettingsStore, MachineValuesAreCopiedAndLoaded) {
  InstallMachineDefaults();
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "NoEdit", 1);
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "SettingsLocked", 1);
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "HF_EnableHTML", 1);
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "MapColour", 0);
  SetString(HKEY_LOCAL_MACHINE, kMachineKey, "DMSModuleName", "dms.dll");
  Load();
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "NoEdit"), 1u);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "HF_EnableHTML"), 1u);
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "MapColour"), 0u);
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "DMSModuleName"), "dms.dll");
  EXPECT_TRUE(bNoEdit);
  EXPECT_TRUE(bSettingsLocked);
  EXPECT_TRUE(bHFEnableHTML);
  EXPECT_FALSE(bColourMapped);
}

struct PrefixCase {
  const char* stored;
  DWORD insertSpace;
  const char* matchString;
  const char* classInsert;
  const char* searched;
  bool warned;
};

class PrefixDerivation : public SettingsStore,
                         public ::testing::WithParamInterface<PrefixCase> {};

TEST_P(PrefixDerivation, FollowsTheStoredMatchString) {
  const PrefixCase& c = GetParam();
  InstallMachineDefaults();
  Load();
  sigplat::ClearTranscript();
  SetString(HKEY_CURRENT_USER, kUserKey, "MatchString", c.stored);
  SetDword(HKEY_CURRENT_USER, kUserKey, "InsertSpace", c.insertSpace);
  ResetSettingsGlobals();
  Load();
  EXPECT_STREQ(szMatchString, c.matchString);
  EXPECT_STREQ(szClassInsert, c.classInsert);
  EXPECT_STREQ(szCLASSIFICATION, c.searched);
  EXPECT_EQ(nClassMatchLength, static_cast<int>(std::strlen(c.searched)));
  EXPECT_EQ(CountBoxes("Invalid Classification Prefix|Error reading the classification prefix "
                       "from the registry.  The value will be reset.\n"),
            c.warned ? 1 : 0);
  // The repair is not written back.
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "MatchString"), c.stored);
}

const std::string k99(99, 'P');
const std::string k99Upper(99, 'P');

INSTANTIATE_TEST_SUITE_P(
    Cases, PrefixDerivation,
    ::testing::Values(
        PrefixCase{"  Classification:  ", 1, "Classification:", "Classification: ",
                   "CLASSIFICATION:", false},
        PrefixCase{"Classification:", 0, "Classification:", "Classification:", "CLASSIFICATION:",
                   false},
        PrefixCase{"   ", 1, "Classification:", "Classification: ", "CLASSIFICATION:", true},
        PrefixCase{"", 1, "Classification:", "Classification: ", "CLASSIFICATION:", true},
        PrefixCase{"\tMarking: ", 1, "\tMarking:", "\tMarking: ", "\tMARKING:", false},
        PrefixCase{"Sécurité:", 0, "Sécurité:", "Sécurité:", "SéCURITé:", false},
        // No room for the space: it is dropped so that the marking still
        // starts with the prefix the scans search for.
        PrefixCase{k99.c_str(), 1, k99.c_str(), k99.c_str(), k99Upper.c_str(), false}));

TEST_F(SettingsStore, MachinePrefixOfSpacesIsRepairedAtReset) {
  InstallMachineDefaults();
  SetString(HKEY_LOCAL_MACHINE, kMachineKey, "MatchString", "    ");
  Load();
  EXPECT_EQ(CountBoxes("Invalid Classification Prefix|Error loading the classification prefix "
                       "from the registry.  The value will be reset.\n"),
            1);
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "MatchString"), "Classification:");
  EXPECT_STREQ(szClassInsert, "Classification: ");
}

TEST_F(SettingsStore, MissingMachineKeyResetsOncePerMissingMarkerAndRunsOnPresets) {
  // First run: the user key is created empty, the reset stops at the machine key.
  Load();
  EXPECT_EQ(CountBoxes("Error Opening Registry Key|SOFTWARE\\Quillfen Software\\Sigilon for "
                       "Outlook\\8.6"),
            1);
  // Every later load finds all three markers missing.
  sigplat::ClearTranscript();
  ResetSettingsGlobals();
  Load();
  const std::vector<std::string> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(boxes[i], "Error Opening Registry Key|SOFTWARE\\Quillfen Software\\Sigilon for "
                        "Outlook\\8.6");
  }
  EXPECT_EQ(boxes[3], "Invalid Classification Prefix|Error reading the classification prefix "
                      "from the registry.  The value will be reset.\n");
  EXPECT_STREQ(szMatchString, "Classification:");
  // Only DMS detection wrote to the key: the name it found nowhere, stored empty.
  EXPECT_EQ(ValueNames("user.reg", kUserHeader), std::vector<std::string>{"DMSModuleName"});
}

TEST_F(SettingsStore, ChecksAfterAResetSeeTheRepairedKey) {
  InstallMachineDefaults();
  Load();
  DeleteValue(HKEY_CURRENT_USER, kUserKey, "AutoPrompt");
  DeleteValue(HKEY_CURRENT_USER, kUserKey, "PrintEnableHF");
  SetString(HKEY_CURRENT_USER, kUserKey, "ClassificationPath", "");
  // A broken machine prefix makes every reset visible.
  SetString(HKEY_LOCAL_MACHINE, kMachineKey, "MatchString", " ");
  sigplat::ClearTranscript();
  ResetSettingsGlobals();
  CheckRegistryKeys();
  EXPECT_EQ(CountBoxes("Invalid Classification Prefix|Error loading the classification prefix "
                       "from the registry.  The value will be reset.\n"),
            1);
  // The first reset restored every marker, so the checks after it pass.
}

TEST_F(SettingsStore, MissingClassificationPathResetsTheUsersChoices) {
  InstallMachineDefaults();
  Load();
  SetDword(HKEY_CURRENT_USER, kUserKey, "FontColour", 0x00FF00);
  SetString(HKEY_CURRENT_USER, kUserKey, "LastSelection", "SECRET");
  DeleteValue(HKEY_CURRENT_USER, kUserKey, "ClassificationPath");
  ResetSettingsGlobals();
  Load();
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "FontColour"), 255u);
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "LastSelection"), "");
  EXPECT_EQ(GetString(HKEY_CURRENT_USER, kUserKey, "ClassificationPath"), "C:\\Sigilon");
}

TEST_F(SettingsStore, CompleteUserKeyIsLeftAlone) {
  InstallMachineDefaults();
  Load();
  SetDword(HKEY_CURRENT_USER, kUserKey, "FontColour", 0x00FF00);
  ResetSettingsGlobals();
  Load();
  EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kUserKey, "FontColour"), 0x00FF00u);
}

TEST_F(SettingsStore, MissingDefaultPathWritesNothing) {
  InstallMachineDefaults();
  DeleteValue(HKEY_LOCAL_MACHINE, kMachineKey, "DefaultPath");
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "AUTODIN", 1);
  CheckRegistryKeys();
  EXPECT_EQ(Boxes(), std::vector<std::string>{
                         "Setup Error|Error restoring default path for SIGILON.TXT"});
  EXPECT_TRUE(ValueNames("user.reg", kUserHeader).empty());
  EXPECT_TRUE(bAUTODIN);  // loaded from the machine key all the same
}

TEST_F(SettingsStore, DmsModeUsesDmsAutoPromptAndForcesAutodin) {
  InstallMachineDefaults();
  Load();
  SetDword(HKEY_CURRENT_USER, kUserKey, "AutoPrompt", 1);
  SetDword(HKEY_CURRENT_USER, kUserKey, "DMSAutoPrompt", 0);
  SetDword(HKEY_CURRENT_USER, kUserKey, "AUTODIN", 0);
  ResetSettingsGlobals();
  bDMSActive = TRUE;
  InitializeFromRegistryKeys();
  EXPECT_FALSE(bAutoPrompt);
  EXPECT_TRUE(bAUTODIN);
}

TEST_F(SettingsStore, ValuesOutsideTheDefaultSetUseTheirPresetsUntilStored) {
  InstallMachineDefaults();
  Load();
  EXPECT_STREQ(szCB, "CLASSIFIED BY: ");
  EXPECT_STREQ(szDF, "DERIVED FROM: ");
  EXPECT_STREQ(szDO, "DECLASSIFY ON: ");
  EXPECT_STREQ(szRN, "REASON: ");
  EXPECT_FALSE(bDeclassify);
  EXPECT_FALSE(bIgnoreWordMail);

  SetString(HKEY_CURRENT_USER, kUserKey, "DeclassCB", "BY: ");
  SetString(HKEY_CURRENT_USER, kUserKey, "DeclassRN", std::string(60, 'R'));  // over 50 bytes
  SetDword(HKEY_CURRENT_USER, kUserKey, "Declassify", 1);
  ResetSettingsGlobals();
  Load();
  EXPECT_STREQ(szCB, "BY: ");
  EXPECT_STREQ(szRN, "REASON: ");
  EXPECT_TRUE(bDeclassify);
}

TEST_F(SettingsStore, TextStoredWithoutTerminatorIsReadOnlyWhenItFits) {
  InstallMachineDefaults();
  Load();
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kUserKey, 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
  const std::string full(100, 'M');  // fills the 100-byte limit: no room for the terminator
  ASSERT_EQ(RegSetValueExA(h, "MatchString", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(full.data()), 100),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(h, "DeclassCB", 0, REG_SZ, reinterpret_cast<const BYTE*>("BY:"), 3),
            ERROR_SUCCESS);
  RegCloseKey(h);
  ResetSettingsGlobals();
  Load();
  EXPECT_STREQ(szMatchString, "Classification:");  // the preset, then the repair
  EXPECT_STREQ(szCB, "BY:");
}

struct RegistryErrorCase {
  int nKey;
  const char* caption;
  const char* text;
};

class DisplayRegistryErrorTexts : public sigtest::FreshWorld,
                                  public ::testing::WithParamInterface<RegistryErrorCase> {};

TEST_P(DisplayRegistryErrorTexts, ShowsTheSystemTextKeyFileAndLine) {
  const RegistryErrorCase& c = GetParam();
  DisplayRegistryError(c.nKey, ERROR_FILE_NOT_FOUND, "Software\\Microsoft\\Internet Explorer\\PageSetup",
                       "print_setup.cpp", 5822);
  const auto& transcript = sigplat::Transcript();
  ASSERT_EQ(transcript.size(), 1u);
  EXPECT_EQ(transcript[0].messageBox.caption, c.caption);
  EXPECT_EQ(transcript[0].messageBox.text, c.text);
  EXPECT_EQ(transcript[0].messageBox.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DisplayRegistryErrorTexts,
    ::testing::Values(
        RegistryErrorCase{0, "Error accessing Registry Key",
                          "The system cannot find the file specified.\r\nHKEY_LOCAL_MACHINE\\"
                          "Software\\Microsoft\\Internet Explorer\\PageSetup\nFile: "
                          "print_setup.cpp\nLine: 5822\n"},
        RegistryErrorCase{1, "Error accessing Registry Key",
                          "The system cannot find the file specified.\r\nHKEY_CURRENT_USER\\"
                          "Software\\Microsoft\\Internet Explorer\\PageSetup\nFile: "
                          "print_setup.cpp\nLine: 5822\n"},
        RegistryErrorCase{2, "Error creating Registry Key",
                          "The system cannot find the file specified.\r\nHKEY_CURRENT_USER\\"
                          "Software\\Microsoft\\Internet Explorer\\PageSetup\nFile: "
                          "print_setup.cpp\nLine: 5822\n"},
        RegistryErrorCase{7, "Registry Key Error",
                          "The system cannot find the file specified.\r\n Software\\Microsoft\\"
                          "Internet Explorer\\PageSetup\n"}));

TEST_F(SettingsStore, RegistryErrorTextIsCutToItsBuffer) {
  const std::string longKey(400, 'K');
  DisplayRegistryError(1, ERROR_ACCESS_DENIED, longKey.c_str(), "unit.cpp", 1);
  ASSERT_EQ(sigplat::Transcript().size(), 1u);
  const std::string& text = sigplat::Transcript()[0].messageBox.text;
  EXPECT_EQ(text.size(), 199u);
  EXPECT_EQ(text.rfind("Access is denied.\r\nHKEY_CURRENT_USER\\KKK", 0), 0u);
}

TEST_F(SettingsStore, RegistryErrorWithoutSystemTextStillReports) {
  DisplayRegistryError(1, 0x7FFF1234, "Key", "unit.cpp", 3);
  ASSERT_EQ(sigplat::Transcript().size(), 1u);
  EXPECT_EQ(sigplat::Transcript()[0].messageBox.text, "HKEY_CURRENT_USER\\Key\nFile: unit.cpp\nLine: 3\n");
}

}  // namespace
