// The run-time library's debug report facility, used as the trace sink.
// _CrtDbgReport formats "unit(line) : text" for a report with a file name,
// hands the whole line to the installed hook, and unless the hook says it has
// dealt with it, sends it to the destinations chosen for that report type.
#pragma once

#include "win/base.h"

#define _CRT_WARN 0
#define _CRT_ERROR 1
#define _CRT_ASSERT 2
#define _CRT_ERRCNT 3

#define _CRTDBG_MODE_FILE 0x1
#define _CRTDBG_MODE_DEBUG 0x2
#define _CRTDBG_MODE_WNDW 0x4
#define _CRTDBG_REPORT_MODE (-1)

#define _CRTDBG_INVALID_HFILE ((HANDLE)(LONG_PTR) - 1)
#define _CRTDBG_HFILE_ERROR ((HANDLE)(LONG_PTR) - 2)
#define _CRTDBG_FILE_STDOUT ((HANDLE)(LONG_PTR) - 4)
#define _CRTDBG_FILE_STDERR ((HANDLE)(LONG_PTR) - 5)
#define _CRTDBG_REPORT_FILE ((HANDLE)(LONG_PTR) - 6)

typedef int (*_CRT_REPORT_HOOK)(int reportType, char* message, int* returnValue);

WINBASEAPI int _CrtSetReportMode(int reportType, int reportMode);
WINBASEAPI HANDLE _CrtSetReportFile(int reportType, HANDLE reportFile);
WINBASEAPI _CRT_REPORT_HOOK _CrtSetReportHook(_CRT_REPORT_HOOK reportHook);
// Returns 1 when the user asked (in the window destination) to stop in the
// debugger; the caller then calls _CrtDbgBreak. Abort ends the process with
// exit code 3, as the run-time library does.
WINBASEAPI int _CrtDbgReport(int reportType, const char* filename, int linenumber,
                             const char* moduleName, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
WINBASEAPI void _CrtDbgBreak(void);
