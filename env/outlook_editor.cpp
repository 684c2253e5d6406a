// The mail editor chosen in the host's options, read from Office's settings of
// that host version.
#include "env/outlook_editor.h"

#include "env/outlook_version.h"
#include "env/trace.h"
#include "extension/centre_dialog.h"
#include "rules/settings_store.h"

namespace {

const char kWord97Key[] = "Software\\Microsoft\\Office\\8.0\\Word\\Options\\OutlookEditor";
const char kOutlook98Key[] = "Software\\Microsoft\\Office\\8.0\\Outlook\\Options\\Mail";
const char kOutlook2000Key[] = "Software\\Microsoft\\Office\\9.0\\Outlook\\Options\\Mail";
const char kOutlook2002Key[] = "Software\\Microsoft\\Office\\10.0\\Outlook\\Options\\Mail";
const char kEditorPreference[] = "EditorPreference";

constexpr int kWarningCheckBox = 1063;
constexpr int kOkButton = 1064;
constexpr int kNoButton = 4;

int MapOutlook98(DWORD dwPreference) {
  switch (dwPreference) {
    case 0: return HTML_Editor;
    case 1: return WordMailEditor;
    case 2: return RTFEditor;
    case 0x10000: return PlainTextEditor;
    default: return OtherEditor;
  }
}

int MapOutlook2000(DWORD dwPreference) {
  switch (dwPreference) {
    case 0x10000: return PlainTextEditor;
    case 0x10001: return WordMailEditor;
    case 0x20000: return HTML_Editor;
    case 0x20001: return WordMailEditor;
    case 0x30001: return WordMailEditor;
    case 0x30002: return RTFEditor;
    default: return OtherEditor;
  }
}

// The same format with Word's part turned off.
DWORD WithoutWord2000(DWORD dwPreference) {
  switch (dwPreference) {
    case 0x10001: return 0x10000;
    case 0x20001: return 0x20000;
    case 0x30001: return 0x30002;
    default: return dwPreference;
  }
}

// Reads "EditorPreference" into *pdw (which holds the preset); FALSE when
// the key or the value is missing.
BOOL ReadPreference(const char* szKey, DWORD* pdw) {
  HKEY hKey = nullptr;
  if (!OpenSettingsKey(HKEY_CURRENT_USER, szKey, KEY_READ, &hKey)) return FALSE;
  const BOOL bRead = ReadRegistryDword(hKey, kEditorPreference, pdw);
  RegCloseKey(hKey);
  return bRead;
}

void WritePreference(const char* szKey, DWORD dwPreset, BOOL bWordIsOne) {
  HKEY hKey = nullptr;
  if (!OpenSettingsKey(HKEY_CURRENT_USER, szKey, KEY_READ | KEY_WRITE, &hKey)) return;
  DWORD dw = dwPreset;
  ReadRegistryDword(hKey, kEditorPreference, &dw);
  if (bWordIsOne) {
    if (dw == 1) dw = 2;
  } else {
    dw = WithoutWord2000(dw);
  }
  WriteRegistryDword(hKey, kEditorPreference, dw);
  RegCloseKey(hKey);
}

}  // namespace

int CheckOutlookEditor(int nVersion) {
  SIGTRACE(TRACE_FUNCTION, "CheckOutlookEditor()\r\n");
  switch (nVersion) {
    case Outlook97: {
      // Without the key, Outlook 97 edits with its own editor.
      char szValue[4] = "";
      HKEY hKey = nullptr;
      if (OpenSettingsKey(HKEY_CURRENT_USER, kWord97Key, KEY_READ, &hKey)) {
        ReadRegistryString(hKey, nullptr, szValue, sizeof szValue);
        RegCloseKey(hKey);
      }
      return szValue[0] == '1' ? WordMailEditor : RTFEditor;
    }
    case Outlook98: {
      DWORD dw = 0x10000;
      ReadPreference(kOutlook98Key, &dw);
      return MapOutlook98(dw);
    }
    case Outlook2000: {
      DWORD dw = 0x10000;
      ReadPreference(kOutlook2000Key, &dw);
      return MapOutlook2000(dw);
    }
    case Outlook2002: {
      DWORD dw = 0;
      if (!ReadPreference(kOutlook2002Key, &dw)) return WordMailEditor;
      return MapOutlook2000(dw);
    }
    default:
      return OtherEditor;
  }
}

void TurnWordMailOff(int nVersion) {
  SIGTRACE(TRACE_FUNCTION, "SetWordMailOff()\r\n");
  switch (nVersion) {
    case Outlook97: {
      HKEY hKey = nullptr;
      if (!OpenSettingsKey(HKEY_CURRENT_USER, kWord97Key, KEY_READ | KEY_WRITE, &hKey)) return;
      WriteRegistryString(hKey, nullptr, "0");
      RegCloseKey(hKey);
      break;
    }
    case Outlook98:
      WritePreference(kOutlook98Key, 0x10000, TRUE);
      break;
    case Outlook2000:
      WritePreference(kOutlook2000Key, 0x10001, FALSE);
      break;
    case Outlook2002:
      // An unreadable value is written as plain text.
      WritePreference(kOutlook2002Key, 0x10000, FALSE);
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK WordBodyWarningDlg(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  switch (uMsg) {
    case WM_INITDIALOG: {
      SIGTRACE(TRACE_FUNCTION, "WordBodyWarningDlg()\r\n");
      CentreDialog(hDlg);
      ReadUserFlag("WordWarning", &bWordWarning);
      CheckDlgButton(hDlg, kWarningCheckBox, bWordWarning ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kWarningCheckBox:
          bWordWarning = IsDlgButtonChecked(hDlg, kWarningCheckBox) == BST_CHECKED;
          WriteUserDword("WordWarning", static_cast<DWORD>(bWordWarning));
          return TRUE;
        case kOkButton:
          EndDialog(hDlg, 1);
          return TRUE;
        case kNoButton:
          EndDialog(hDlg, 0);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}
