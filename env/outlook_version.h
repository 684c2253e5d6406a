// Which host build the extension runs in, from the file version of its
// "outllib.dll", with the warnings for builds too old or newer than known.
#pragma once

#include "winapi.h"

enum : int {
  OutlookUnsupported = 0,
  Outlook97 = 97,
  Outlook98 = 98,
  Outlook2000 = 99,
  Outlook2002 = 1,
};

extern DWORD dwCurrentVersionMS;
extern DWORD dwCurrentVersionLS;
extern BOOL bWarningEnabled;

int CheckOutlookVersion(HWND hwnd);
INT_PTR CALLBACK VersionDlg(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
