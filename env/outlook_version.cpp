// The host's build, from the file version of "outllib.dll" beside the host
// executable. Builds older than the extension knows are refused; a build
// newer than the one last accepted is offered to the user.
#include "env/outlook_version.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "env/trace.h"
#include "extension/centre_dialog.h"
#include "extension/module_state.h"
#include "rules/settings_store.h"

DWORD dwCurrentVersionMS = 0;
DWORD dwCurrentVersionLS = 0;
BOOL bWarningEnabled = FALSE;

namespace {

constexpr int kVersionDialog = 151;
constexpr int kWarningCheckBox = 1063;
constexpr int kYesButton = 1064;
constexpr int kNoButton = 4;

struct KnownBuild {
  DWORD dwMS;         // major.minor
  DWORD dwMinimumLS;  // oldest build.revision that works
  int nCode;
  const char* szTooOld;
};

const KnownBuild kKnownBuilds[] = {
    {0x00080003, 0x0001146C, 97,
     "This version of Outlook97 needs to be upgraded to work with Sigilon"},
    {0x00080004, 0x000015F3, 97,
     "This version of Outlook97 needs to be upgraded to work with Sigilon"},
    {0x00080005, 0x15E30000, 98,
     "This version of Outlook98 needs to be upgraded to work with Sigilon"},
    {0x00090000, 0x00000A41, 99,
     "This version of Outlook 2000 needs to be upgraded to work with Sigilon"},
};

// The version of the file, or FALSE when it has none.
BOOL ReadFileVersion(const char* szPath, DWORD* pdwMS, DWORD* pdwLS) {
  DWORD dwHandle = 0;
  const DWORD cb = GetFileVersionInfoSizeA(szPath, &dwHandle);
  if (cb == 0) return FALSE;
  BYTE* pBlock = new (std::nothrow) BYTE[cb];
  if (!pBlock) return FALSE;
  BOOL bOk = FALSE;
  VS_FIXEDFILEINFO* pInfo = nullptr;
  UINT uLen = 0;
  if (GetFileVersionInfoA(szPath, dwHandle, cb, pBlock) &&
      VerQueryValueA(pBlock, "\\", reinterpret_cast<void**>(&pInfo), &uLen) && pInfo &&
      uLen >= sizeof(VS_FIXEDFILEINFO)) {
    *pdwMS = pInfo->dwFileVersionMS;
    *pdwLS = pInfo->dwFileVersionLS;
    bOk = TRUE;
  }
  delete[] pBlock;
  return bOk;
}

void StoreAcceptedBuild() {
  WriteUserDword("LastMajorBuild", dwCurrentVersionMS);
  WriteUserDword("LastMinorBuild", dwCurrentVersionLS);
}

}  // namespace

int CheckOutlookVersion(HWND hwnd) {
  SIGTRACE(TRACE_FUNCTION, "CheckOutlookVersion()\r\n");
  int nResult = OutlookUnsupported;
  DWORD dwLastMajorBuild = 0;
  DWORD dwLastMinorBuild = 0;
  ReadUserDword("LastMajorBuild", &dwLastMajorBuild);
  ReadUserDword("LastMinorBuild", &dwLastMinorBuild);

  char szPath[200] = "";
  const DWORD n = GetModuleFileNameA(nullptr, szPath, sizeof szPath);
  if (n == 0 || n >= sizeof szPath) return OutlookUnsupported;
  char* pSlash = std::strrchr(szPath, '\\');
  char* pName = pSlash ? pSlash + 1 : szPath;
  const size_t room = sizeof szPath - static_cast<size_t>(pName - szPath);
  if (std::snprintf(pName, room, "outllib.dll") >= static_cast<int>(room)) {
    return OutlookUnsupported;
  }
  SIGTRACE(TRACE_VERSION, "CheckOutlookVersion %s\r\n", szPath);

  DWORD dwMS = 0;
  DWORD dwLS = 0;
  if (!ReadFileVersion(szPath, &dwMS, &dwLS)) return OutlookUnsupported;
  char szVersion[48];
  std::snprintf(szVersion, sizeof szVersion, "%d.%d.%d.%d", HIWORD(dwMS), LOWORD(dwMS),
                HIWORD(dwLS), LOWORD(dwLS));
  char szCaption[80];
  std::snprintf(szCaption, sizeof szCaption, "Warning - Old Version [%s]", szVersion);
  SIGTRACE(TRACE_VERSION, "CheckOutlookVersion Version=%s\r\n", szVersion);
  dwCurrentVersionMS = dwMS;
  dwCurrentVersionLS = dwLS;

  if (dwMS != dwLastMajorBuild || dwLS != dwLastMinorBuild) {
    bWarningEnabled = TRUE;
    ReadUserFlag("WarningEnabled", &bWarningEnabled);
  }
  const BOOL bNewer = dwMS >= dwLastMajorBuild;

  if (dwMS == 0x000A0000) return Outlook2002;
  for (const KnownBuild& build : kKnownBuilds) {
    if (build.dwMS != dwMS) continue;
    if (dwLS < build.dwMinimumLS) {
      MessageBoxA(hwnd, build.szTooOld, szCaption, MB_OK);
      nResult = OutlookUnsupported;
    }
    if (dwLS >= build.dwMinimumLS && dwLS <= dwLastMinorBuild) nResult = build.nCode;
    if (dwLS > dwLastMinorBuild) {
      if (build.nCode != Outlook2000 || !bNewer) {
        nResult = build.nCode;
      } else {
        const INT_PTR nChoice = DialogBoxParamA(ghInstDLL, MAKEINTRESOURCEA(kVersionDialog), hwnd,
                                                VersionDlg, 0);
        nResult = nChoice == 1 ? Outlook2000 : OutlookUnsupported;
      }
    }
    break;
  }
  return nResult;
}

INT_PTR CALLBACK VersionDlg(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  switch (uMsg) {
    case WM_INITDIALOG: {
      SIGTRACE(TRACE_FUNCTION, "VersionDlg()\r\n");
      CentreDialog(hDlg);
      ReadUserFlag("WarningEnabled", &bWarningEnabled);
      CheckDlgButton(hDlg, kWarningCheckBox, bWarningEnabled ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    }
    case WM_COMMAND: {
      switch (LOWORD(wParam)) {
        case kWarningCheckBox:
          bWarningEnabled = IsDlgButtonChecked(hDlg, kWarningCheckBox) == BST_CHECKED;
          WriteUserDword("WarningEnabled", static_cast<DWORD>(bWarningEnabled));
          break;
        case kYesButton:
          EndDialog(hDlg, 1);
          break;
        case kNoButton:
          EndDialog(hDlg, 0);
          break;
        default:
          break;
      }
      // With the warning off, this build counts as accepted from now on.
      if (!bWarningEnabled) StoreAcceptedBuild();
      return TRUE;
    }
    default:
      return FALSE;
  }
}
