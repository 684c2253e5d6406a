// The settings: two registry keys, the user's (read and written) and the
// machine's (the administrator's defaults, read only), and the process-wide
// copies of the settings that are loaded once at library load.
#pragma once

#include "winapi.h"

// Key paths.
extern const char szExchangeExt[];  // under HKEY_CURRENT_USER
extern const char szSigilonMachineKey[];  // under HKEY_LOCAL_MACHINE

// Result of the last key opened by a settings function, for DisplayRegistryError.
extern LONG lError;

// Flags loaded at process attach (TRUE 1 / FALSE 0).
extern BOOL bAUTODIN;
extern BOOL bInsertSpace;
extern BOOL bStyleLocked;
extern BOOL bNoEdit;
extern BOOL bReadClassification;
extern BOOL bReplyScan;
extern BOOL bAutoPrompt;
extern BOOL bColourMapped;
extern BOOL bIgnoreWordMail;
extern BOOL bWordWarning;
extern BOOL bSettingsLocked;
extern BOOL bPrintHF;
extern BOOL bPrintEnableHF;
extern BOOL bPrintColour;
extern BOOL bHFEnableHTML;
extern BOOL bDeclassify;

// Trace destination and mask.
extern LONG Debug;
extern DWORD Trace;

// Labels of the declassification block.
constexpr size_t kDeclassLabelSize = 52;
extern char szCB[kDeclassLabelSize];
extern char szDF[kDeclassLabelSize];
extern char szDO[kDeclassLabelSize];
extern char szRN[kDeclassLabelSize];

// The marking prefix group, derived from "MatchString".
constexpr size_t kPrefixSize = 100;
extern char szMatchString[kPrefixSize];     // the prefix, trimmed of spaces
extern char szClassInsert[kPrefixSize];     // the prefix as written, with its space
extern char szCLASSIFICATION[kPrefixSize];  // the prefix in upper case, as searched for
extern int nClassMatchLength;               // length of szCLASSIFICATION

// Fills the user key from the machine key unless it is already set up.
void CheckRegistryKeys();
// (Re)writes the whole default set of the user key.
void ResetRegistryKeys();
// Loads the cached settings and derives the prefix group.
void InitializeFromRegistryKeys();
// Reports a registry failure. nKey: 0 machine key, 1 user key, 2 user key
// being created, other values a short form.
void DisplayRegistryError(int nKey, LONG lErr, const char* szKey, const char* szFile, int nLine);

// Registry reads that follow the settings rule: the destination keeps what it
// held (its preset) when the value is absent or does not fit.
BOOL ReadRegistryDword(HKEY hKey, const char* szName, DWORD* pdwValue);
BOOL ReadRegistryFlag(HKEY hKey, const char* szName, BOOL* pbValue);
// cbLimit counts the terminator; a stored text that leaves no room for it
// within cbLimit counts as too large.
BOOL ReadRegistryString(HKEY hKey, const char* szName, char* szValue, DWORD cbLimit);
BOOL WriteRegistryDword(HKEY hKey, const char* szName, DWORD dwValue);
BOOL WriteRegistryString(HKEY hKey, const char* szName, const char* szValue);
// One value of the user key, opened and closed around the access; for the
// dialogs that keep a choice there. The read follows the rule above.
BOOL ReadUserFlag(const char* szName, BOOL* pbValue);
BOOL ReadUserDword(const char* szName, DWORD* pdwValue);
BOOL WriteUserDword(const char* szName, DWORD dwValue);
// Opens a key below a root (the root itself is closed at once), recording the
// result in lError.
BOOL OpenSettingsKey(HKEY hRoot, const char* szPath, REGSAM sam, HKEY* phKey);
