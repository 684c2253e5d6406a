// The settings store: first-run fill of the user key from the machine key,
// the load into process-wide variables, and the prefix derivation.
#include "rules/settings_store.h"

#include <cstdio>
#include <cstring>

#include "env/dms_detect.h"
#include "env/trace.h"

const char szExchangeExt[] = "Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for Outlook";
const char szSigilonMachineKey[] = "SOFTWARE\\Quillfen Software\\Sigilon for Outlook\\8.6";

LONG lError = ERROR_SUCCESS;

BOOL bAUTODIN = FALSE;
BOOL bInsertSpace = FALSE;
BOOL bStyleLocked = FALSE;
BOOL bNoEdit = FALSE;
BOOL bReadClassification = FALSE;
BOOL bReplyScan = FALSE;
BOOL bAutoPrompt = FALSE;
BOOL bColourMapped = FALSE;
BOOL bIgnoreWordMail = FALSE;
BOOL bWordWarning = FALSE;
BOOL bSettingsLocked = FALSE;
BOOL bPrintHF = FALSE;
BOOL bPrintEnableHF = FALSE;
BOOL bPrintColour = FALSE;
BOOL bHFEnableHTML = FALSE;
BOOL bDeclassify = FALSE;

LONG Debug = 0;
DWORD Trace = 0;

char szCB[kDeclassLabelSize] = "";
char szDF[kDeclassLabelSize] = "";
char szDO[kDeclassLabelSize] = "";
char szRN[kDeclassLabelSize] = "";

char szMatchString[kPrefixSize] = "";
char szClassInsert[kPrefixSize] = "Classification: ";
char szCLASSIFICATION[kPrefixSize] = "CLASSIFICATION:";
int nClassMatchLength = 0;

namespace {

const char kDefaultPrefix[] = "Classification:";
constexpr DWORD kPathLimit = 136;        // "ClassificationPath"
constexpr DWORD kMachineTextLimit = 100;  // strings of the machine key
constexpr DWORD kLabelLimit = 50;         // the "Declass" labels

// Copies at most size - 1 characters and always terminates.
void CopyText(char* szDest, size_t size, const char* szSource) {
  std::snprintf(szDest, size, "%s", szSource);
}

// Removes leading and trailing spaces (the space character only).
void NormalisePrefix(char* sz) {
  size_t start = 0;
  while (sz[start] == ' ') ++start;
  size_t end = std::strlen(sz);
  while (end > start && sz[end - 1] == ' ') --end;
  std::memmove(sz, sz + start, end - start);
  sz[end - start] = '\0';
}

// When the prefix leaves no room for the space in szClassInsert, the space is
// dropped rather than the prefix cut: the written marking must still begin
// with the prefix the scans look for.
void DerivePrefixGroup() {
  CopyText(szClassInsert, sizeof szClassInsert, szMatchString);
  CopyText(szCLASSIFICATION, sizeof szCLASSIFICATION, szMatchString);
  _strupr(szCLASSIFICATION);
  nClassMatchLength = static_cast<int>(std::strlen(szCLASSIFICATION));
  const size_t n = std::strlen(szClassInsert);
  if (bInsertSpace && n + 1 < sizeof szClassInsert) {
    szClassInsert[n] = ' ';
    szClassInsert[n + 1] = '\0';
  }
}

// One value of the default set written by ResetRegistryKeys.
struct DefaultValue {
  const char* szName;
  const char* szText;     // a string value when not null
  const DWORD* pdwValue;  // a DWORD taken from a variable when not null
  DWORD dwValue;          // otherwise this constant
};

}  // namespace

BOOL OpenSettingsKey(HKEY hRoot, const char* szPath, REGSAM sam, HKEY* phKey) {
  HKEY hRootKey = nullptr;
  *phKey = nullptr;
  lError = RegOpenKeyExA(hRoot, nullptr, 0, sam, &hRootKey);
  if (lError != ERROR_SUCCESS) return FALSE;
  lError = RegOpenKeyExA(hRootKey, szPath, 0, sam, phKey);
  RegCloseKey(hRootKey);
  if (lError != ERROR_SUCCESS) *phKey = nullptr;
  return lError == ERROR_SUCCESS;
}

BOOL ReadRegistryDword(HKEY hKey, const char* szName, DWORD* pdwValue) {
  if (!hKey) return FALSE;
  DWORD dwType = 0;
  DWORD cb = sizeof(DWORD);
  return RegQueryValueExA(hKey, szName, nullptr, &dwType, reinterpret_cast<BYTE*>(pdwValue),
                          &cb) == ERROR_SUCCESS;
}

BOOL ReadRegistryFlag(HKEY hKey, const char* szName, BOOL* pbValue) {
  DWORD dw = static_cast<DWORD>(*pbValue);
  if (!ReadRegistryDword(hKey, szName, &dw)) return FALSE;
  *pbValue = static_cast<BOOL>(dw);
  return TRUE;
}

BOOL ReadRegistryString(HKEY hKey, const char* szName, char* szValue, DWORD cbLimit) {
  if (!hKey || cbLimit == 0) return FALSE;
  char szBuffer[512];
  if (cbLimit > sizeof szBuffer) cbLimit = sizeof szBuffer;
  DWORD dwType = 0;
  DWORD cb = cbLimit;
  if (RegQueryValueExA(hKey, szName, nullptr, &dwType, reinterpret_cast<BYTE*>(szBuffer), &cb) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  // Stored without its terminator: take the text only when the terminator
  // still fits the reader's limit.
  if (cb == 0 || szBuffer[cb - 1] != '\0') {
    if (cb >= cbLimit) return FALSE;
    szBuffer[cb] = '\0';
  }
  std::memcpy(szValue, szBuffer, std::strlen(szBuffer) + 1);
  return TRUE;
}

BOOL WriteRegistryDword(HKEY hKey, const char* szName, DWORD dwValue) {
  return RegSetValueExA(hKey, szName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                        sizeof dwValue) == ERROR_SUCCESS;
}

BOOL WriteRegistryString(HKEY hKey, const char* szName, const char* szValue) {
  return RegSetValueExA(hKey, szName, 0, REG_SZ, reinterpret_cast<const BYTE*>(szValue),
                        static_cast<DWORD>(std::strlen(szValue) + 1)) == ERROR_SUCCESS;
}

BOOL ReadUserDword(const char* szName, DWORD* pdwValue) {
  HKEY hKey = nullptr;
  if (!OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ | KEY_WRITE, &hKey)) return FALSE;
  const BOOL bRead = ReadRegistryDword(hKey, szName, pdwValue);
  RegCloseKey(hKey);
  return bRead;
}

BOOL ReadUserFlag(const char* szName, BOOL* pbValue) {
  DWORD dw = static_cast<DWORD>(*pbValue);
  if (!ReadUserDword(szName, &dw)) return FALSE;
  *pbValue = static_cast<BOOL>(dw);
  return TRUE;
}

BOOL WriteUserDword(const char* szName, DWORD dwValue) {
  HKEY hKey = nullptr;
  if (!OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ | KEY_WRITE, &hKey)) return FALSE;
  const BOOL bWritten = WriteRegistryDword(hKey, szName, dwValue);
  RegCloseKey(hKey);
  return bWritten;
}

void CheckRegistryKeys() {
  SIGTRACE(TRACE_FUNCTION, "CheckRegistryKeys()\r\n");
  HKEY hKey = nullptr;
  if (!OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ | KEY_WRITE, &hKey)) {
    ResetRegistryKeys();
    return;
  }
  // Each missing marker resets on its own, as a partly filled key is taken
  // for one that was never set up.
  DWORD dw = 0;
  if (!ReadRegistryDword(hKey, "AutoPrompt", &dw)) ResetRegistryKeys();
  if (!ReadRegistryDword(hKey, "PrintEnableHF", &dw)) ResetRegistryKeys();
  char szPath[kPathLimit] = "";
  if (!ReadRegistryString(hKey, "ClassificationPath", szPath, sizeof szPath) || szPath[0] == '\0') {
    ResetRegistryKeys();
  }
  RegCloseKey(hKey);
}

void ResetRegistryKeys() {
  SIGTRACE(TRACE_FUNCTION, "ResetRegistryKeys()\r\n");
  HKEY hKey = nullptr;
  DWORD dwDisposition = 0;
  char szClass[] = "REG_SZ";
  lError = RegCreateKeyExA(HKEY_CURRENT_USER, szExchangeExt, 0, szClass, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition);
  if (lError != ERROR_SUCCESS) {
    MessageBoxA(GetFocus(), szExchangeExt, "Error creating Registry Key", MB_OK | MB_ICONERROR);
    return;
  }
  RegCloseKey(hKey);

  HKEY hMachine = nullptr;
  if (!OpenSettingsKey(HKEY_LOCAL_MACHINE, szSigilonMachineKey, KEY_READ, &hMachine)) {
    MessageBoxA(GetFocus(), szSigilonMachineKey, "Error Opening Registry Key", MB_OK | MB_ICONERROR);
    return;
  }
  BOOL bLocalHFEnableHTML = FALSE;
  DWORD dwLastMajorBuild = 0;
  DWORD dwLastMinorBuild = 0;
  char szDMSModuleName[kMachineTextLimit] = "";
  char szDefaultPath[kMachineTextLimit] = "";
  bAUTODIN = FALSE;
  bInsertSpace = TRUE;
  bColourMapped = TRUE;
  bNoEdit = FALSE;
  bSettingsLocked = FALSE;
  bStyleLocked = TRUE;
  bPrintEnableHF = FALSE;
  szMatchString[0] = '\0';
  ReadRegistryFlag(hMachine, "AUTODIN", &bAUTODIN);
  ReadRegistryFlag(hMachine, "HF_EnableHTML", &bLocalHFEnableHTML);
  ReadRegistryFlag(hMachine, "InsertSpace", &bInsertSpace);
  ReadRegistryFlag(hMachine, "MapColour", &bColourMapped);
  ReadRegistryFlag(hMachine, "NoEdit", &bNoEdit);
  ReadRegistryFlag(hMachine, "SettingsLocked", &bSettingsLocked);
  ReadRegistryFlag(hMachine, "StyleLocked", &bStyleLocked);
  ReadRegistryFlag(hMachine, "PrintEnableHF", &bPrintEnableHF);
  ReadRegistryDword(hMachine, "LastMajorBuild", &dwLastMajorBuild);
  ReadRegistryDword(hMachine, "LastMinorBuild", &dwLastMinorBuild);
  ReadRegistryString(hMachine, "MatchString", szMatchString, kMachineTextLimit);
  ReadRegistryString(hMachine, "DMSModuleName", szDMSModuleName, kMachineTextLimit);
  const BOOL bPath = ReadRegistryString(hMachine, "DefaultPath", szDefaultPath, kMachineTextLimit);
  RegCloseKey(hMachine);

  if (!bPath || szDefaultPath[0] == '\0') {
    MessageBoxA(GetFocus(), "Error restoring default path for SIGILON.TXT", "Setup Error",
                MB_OK | MB_ICONERROR);
    return;
  }

  NormalisePrefix(szMatchString);
  if (szMatchString[0] == '\0') {
    MessageBoxA(GetFocus(),
                "Error loading the classification prefix from the registry.  The value will be "
                "reset.\n",
                "Invalid Classification Prefix", MB_OK | MB_ICONWARNING);
    CopyText(szMatchString, sizeof szMatchString, kDefaultPrefix);
  }

  if (!OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ | KEY_WRITE, &hKey)) {
    MessageBoxA(GetFocus(),
                "HKEY_CURRENT_USER\\Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for "
                "Outlook",
                "Error Creating Registry Key", MB_OK | MB_ICONWARNING);
    return;
  }
  const DWORD dwAUTODIN = static_cast<DWORD>(bAUTODIN);
  const DWORD dwHFEnableHTML = static_cast<DWORD>(bLocalHFEnableHTML);
  const DWORD dwInsertSpace = static_cast<DWORD>(bInsertSpace);
  const DWORD dwMapColour = static_cast<DWORD>(bColourMapped);
  const DWORD dwNoEdit = static_cast<DWORD>(bNoEdit);
  const DWORD dwPrintEnableHF = static_cast<DWORD>(bPrintEnableHF);
  const DWORD dwSettingsLocked = static_cast<DWORD>(bSettingsLocked);
  const DWORD dwStyleLocked = static_cast<DWORD>(bStyleLocked);
  const DefaultValue defaults[] = {
      {"AUTODIN", nullptr, &dwAUTODIN, 0},
      {"AutoPrompt", nullptr, nullptr, 1},
      {"DMSAutoPrompt", nullptr, nullptr, 0},
      {"ClassificationPath", szDefaultPath, nullptr, 0},
      {"Debug", nullptr, nullptr, 0},
      {"DefaultClassification", "", nullptr, 0},
      {"DMSModuleName", szDMSModuleName, nullptr, 0},
      {"FontBold", nullptr, nullptr, 1},
      {"FontColour", nullptr, nullptr, 255},
      {"FontFaceName", "Arial", nullptr, 0},
      {"FontItalic", nullptr, nullptr, 1},
      {"FontPointSize", nullptr, nullptr, 12},
      {"FontStrikeOut", nullptr, nullptr, 0},
      {"FontUnderline", nullptr, nullptr, 0},
      {"HF_FontBold", nullptr, nullptr, 1},
      {"HF_FontColour", nullptr, nullptr, 255},
      {"HF_FontFaceName", "Arial", nullptr, 0},
      {"HF_FontItalic", nullptr, nullptr, 0},
      {"HF_FontPointSize", nullptr, nullptr, 12},
      {"HF_FontStrikeOut", nullptr, nullptr, 0},
      {"HF_FontUnderline", nullptr, nullptr, 0},
      {"HF_Justification", nullptr, nullptr, 3},
      {"HF_EnableHTML", nullptr, &dwHFEnableHTML, 0},
      {"InsertSpace", nullptr, &dwInsertSpace, 0},
      {"Justification", nullptr, nullptr, 1},
      {"LastMajorBuild", nullptr, &dwLastMajorBuild, 0},
      {"LastMinorBuild", nullptr, &dwLastMinorBuild, 0},
      {"LastSelection", "", nullptr, 0},
      {"MapColour", nullptr, &dwMapColour, 0},
      {"MatchString", szMatchString, nullptr, 0},
      {"NoEdit", nullptr, &dwNoEdit, 0},
      {"PrintColour", nullptr, nullptr, 1},
      {"PrintEnableHF", nullptr, &dwPrintEnableHF, 0},
      {"PrintHF", nullptr, nullptr, 0},
      {"ReadClassification", nullptr, nullptr, 1},
      {"ReplyClassification", nullptr, nullptr, 1},
      {"SettingsLocked", nullptr, &dwSettingsLocked, 0},
      {"StyleLocked", nullptr, &dwStyleLocked, 0},
      {"Trace", nullptr, nullptr, 0},
      {"WordWarning", nullptr, nullptr, 0},
  };
  for (const DefaultValue& value : defaults) {
    if (value.szText) {
      WriteRegistryString(hKey, value.szName, value.szText);
    } else {
      WriteRegistryDword(hKey, value.szName, value.pdwValue ? *value.pdwValue : value.dwValue);
    }
  }
  RegCloseKey(hKey);
}

void InitializeFromRegistryKeys() {
  SIGTRACE(TRACE_FUNCTION, "InitializeFromRegistryKeys()\r\n");
  HKEY hKey = nullptr;
  OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ | KEY_WRITE, &hKey);

  DWORD dwDebug = static_cast<DWORD>(Debug);
  ReadRegistryDword(hKey, "Debug", &dwDebug);
  Debug = static_cast<LONG>(dwDebug);
  ReadRegistryDword(hKey, "Trace", &Trace);
  ReadRegistryFlag(hKey, "AUTODIN", &bAUTODIN);
  ReadRegistryFlag(hKey, bDMSActive ? "DMSAutoPrompt" : "AutoPrompt", &bAutoPrompt);
  ReadRegistryFlag(hKey, "InsertSpace", &bInsertSpace);
  bDeclassify = FALSE;
  ReadRegistryFlag(hKey, "Declassify", &bDeclassify);
  struct Label {
    const char* szName;
    char* szLabel;
    const char* szPreset;
  };
  const Label labels[] = {{"DeclassCB", szCB, "CLASSIFIED BY: "},
                          {"DeclassDF", szDF, "DERIVED FROM: "},
                          {"DeclassDO", szDO, "DECLASSIFY ON: "},
                          {"DeclassRN", szRN, "REASON: "}};
  for (const Label& label : labels) {
    CopyText(label.szLabel, kDeclassLabelSize, label.szPreset);
    ReadRegistryString(hKey, label.szName, label.szLabel, kLabelLimit);
  }
  struct Flag {
    const char* szName;
    BOOL* pbFlag;
    bool bHasPreset;  // without one, the value from before stands
    BOOL bPreset;
  };
  const Flag flags[] = {
      {"HF_EnableHTML", &bHFEnableHTML, true, FALSE},
      {"IgnoreWordMail", &bIgnoreWordMail, true, FALSE},
      {"MapColour", &bColourMapped, true, FALSE},
      {"NoEdit", &bNoEdit, true, FALSE},
      {"PrintColour", &bPrintColour, true, FALSE},
      {"PrintEnableHF", &bPrintEnableHF, true, FALSE},
      {"PrintHF", &bPrintHF, true, FALSE},
      {"ReplyClassification", &bReplyScan, false, FALSE},
      {"ReadClassification", &bReadClassification, false, FALSE},
      {"SettingsLocked", &bSettingsLocked, true, FALSE},
      {"StyleLocked", &bStyleLocked, true, TRUE},
      {"WordWarning", &bWordWarning, false, FALSE},
  };
  for (const Flag& flag : flags) {
    if (flag.bHasPreset) *flag.pbFlag = flag.bPreset;
    ReadRegistryFlag(hKey, flag.szName, flag.pbFlag);
  }
  szMatchString[0] = '\0';
  ReadRegistryString(hKey, "MatchString", szMatchString, kPrefixSize);

  NormalisePrefix(szMatchString);
  if (szMatchString[0] == '\0') {
    MessageBoxA(GetFocus(),
                "Error reading the classification prefix from the registry.  The value will be "
                "reset.\n",
                "Invalid Classification Prefix", MB_OK | MB_ICONWARNING);
    CopyText(szMatchString, sizeof szMatchString, kDefaultPrefix);
  }
  DerivePrefixGroup();
  if (bDMSActive) bAUTODIN = TRUE;
  if (hKey) RegCloseKey(hKey);
}

void DisplayRegistryError(int nKey, LONG lErr, const char* szKey, const char* szFile, int nLine) {
  SIGTRACE(TRACE_FUNCTION, "DisplayRegistryError()\r\n");
  char* szSystemText = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, static_cast<DWORD>(lErr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                 reinterpret_cast<LPSTR>(&szSystemText), 0, nullptr);
  // An error the system has no text for is still reported, without the text.
  const char* szText = szSystemText ? szSystemText : "";
  char szMessage[200];
  const char* szTitle = "Error accessing Registry Key";
  switch (nKey) {
    case 0:
      std::snprintf(szMessage, sizeof szMessage, "%sHKEY_LOCAL_MACHINE\\%s\nFile: %s\nLine: %d\n",
                    szText, szKey, szFile, nLine);
      break;
    case 1:
    case 2:
      std::snprintf(szMessage, sizeof szMessage, "%sHKEY_CURRENT_USER\\%s\nFile: %s\nLine: %d\n",
                    szText, szKey, szFile, nLine);
      if (nKey == 2) szTitle = "Error creating Registry Key";
      break;
    default:
      std::snprintf(szMessage, sizeof szMessage, "%s %s\n", szText, szKey);
      szTitle = "Registry Key Error";
      break;
  }
  MessageBoxA(GetFocus(), szMessage, szTitle, MB_OK | MB_ICONERROR);
  if (szSystemText) LocalFree(szSystemText);
}
