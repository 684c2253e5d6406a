// Common controls: toolbar buttons and property sheet pages.
#pragma once

#include "win/base.h"

typedef struct _TBBUTTON {
  int iBitmap;
  int idCommand;
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[6];  // pads dwData to its natural alignment, as on 64-bit Windows
  DWORD_PTR dwData;
  INT_PTR iString;
} TBBUTTON, *PTBBUTTON, *LPTBBUTTON;
typedef const TBBUTTON* LPCTBBUTTON;

struct _PROPSHEETPAGEA;
typedef struct _PROPSHEETPAGEA PROPSHEETPAGEA, *LPPROPSHEETPAGEA;
typedef LPPROPSHEETPAGEA LPPROPSHEETPAGE;
