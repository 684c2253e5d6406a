// Which editor the host uses for mail, and switching Word off as that editor.
#pragma once

#include "winapi.h"

enum : int {
  RTFEditor = 1,
  PlainTextEditor = 2,
  WordMailEditor = 3,
  HTML_Editor = 4,
  OtherEditor = 5,
};

int CheckOutlookEditor(int nVersion);
void TurnWordMailOff(int nVersion);
// The dialog shown when a note's body is edited by Word.
INT_PTR CALLBACK WordBodyWarningDlg(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
