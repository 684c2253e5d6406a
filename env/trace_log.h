// Where trace lines go: chosen once at load from the "Debug" setting.
#pragma once

#include "winapi.h"

// The open log file "sigilon.log", or null when there is none.
extern HANDLE hLogFileHandle;

void SetDebugOptions();
int SigilonReportHook(int nReportType, char* szMessage, int* pnReturn);
// Closes the log and takes the library's hook out of the report facility,
// which outlives the library.
void CloseDebugLog();
