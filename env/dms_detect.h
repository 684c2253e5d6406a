// DMS mode: a document management client named by the administrator is loaded
// in the host process, and the marking style is locked.
#pragma once

#include "winapi.h"

extern BOOL bDMSActive;

// 1 when DMS mode applies, else 0. Loads bStyleLocked as a side effect, and
// copies the machine's "DMSModuleName" into a user key that lacks it.
int CheckDMS();
