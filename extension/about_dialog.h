// The About box, opened from the selection dialog.
#pragma once

#include "winapi.h"

INT_PTR CALLBACK AboutDlg(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
