// Where the extension's dialogs open: centred on the screen, the left edge on
// a multiple of eight pixels.
#pragma once

#include "winapi.h"

void CentreDialog(HWND hDlg);
