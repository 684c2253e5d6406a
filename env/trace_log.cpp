// The trace sink: a log file in the user's temporary folder, the debugger
// output, or a box per line, as the "Debug" setting says.
#include "env/trace_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "env/trace.h"
#include "rules/settings_store.h"

HANDLE hLogFileHandle = nullptr;

namespace {

const char kLogName[] = "sigilon.log";
// Folder, backslash and name must fit this many characters.
constexpr size_t kMaxLogPath = 199;

// "(null)" keeps the set-up lines printable when a variable is not set.
const char* Printable(const char* sz) { return sz ? sz : "(null)"; }

BOOL OpenLogFile(const char* szFolder) {
  char szPath[kMaxLogPath + 1];
  const int n = std::snprintf(szPath, sizeof szPath, "%s\\%s", szFolder, kLogName);
  if (n < 0 || static_cast<size_t>(n) > kMaxLogPath) return FALSE;
  const HANDLE h = CreateFileA(szPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FALSE;
  hLogFileHandle = h;
  return TRUE;
}

}  // namespace

void SetDebugOptions() {
  _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_DEBUG);

  // asctime's layout, cut after the time: "Tue Dec 09 13:47:05".
  char szTimeStamp[20] = "";
  if (Debug > 0) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local) std::snprintf(szTimeStamp, sizeof szTimeStamp, "%.19s", std::asctime(local));
  }

  switch (Debug) {
    case 1: {
      const char* szFolder = std::getenv("TEMP");
      SIGTRACE_ALWAYS("getenv(TEMP)=%s\r\n", Printable(szFolder));
      if (!szFolder) {
        szFolder = std::getenv("TMP");
        SIGTRACE_ALWAYS("getenv(TMP)=%s\r\n", Printable(szFolder));
      }
      if (!szFolder) {
        SIGTRACE_ALWAYS("SetDebugOptions to _CRTDBG_MODE_DEBUG, could not locate /%%TEMP/%%\r\n");
        SIGTRACE_ALWAYS("SetDebugOptions Trace = %08X \r\n", Trace);
        return;
      }
      if (!OpenLogFile(szFolder)) {
        // Nowhere to write: the lines are dropped rather than shown one box each.
        _CrtSetReportMode(_CRT_WARN, 0);
        MessageBoxA(GetFocus(), "_CRTDBG_HFILE_ERROR: Could not create Log File\r\n",
                    "E-Mail Classification", MB_OK | MB_ICONERROR);
        return;
      }
      _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_FILE);
      _CrtSetReportFile(_CRT_WARN, hLogFileHandle);
      _CrtSetReportHook(SigilonReportHook);
      SIGTRACE_ALWAYS("SetDebugOptions to _CRTDBG_MODE_FILE on %s \r\n", szTimeStamp);
      SIGTRACE_ALWAYS("SetDebugOptions Trace = %08X \r\n", Trace);
      break;
    }
    case 2:
      SIGTRACE_ALWAYS("SetDebugOptions to _CRTDBG_MODE_DEBUG on %s \r\n", szTimeStamp);
      SIGTRACE_ALWAYS("SetDebugOptions Trace = %08X \r\n", Trace);
      break;
    case 3:
      _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_WNDW);
      SIGTRACE_ALWAYS("SetDebugOptions to _CRTDBG_MODE_WNDW on %s \r\n", szTimeStamp);
      SIGTRACE_ALWAYS("SetDebugOptions Trace = %08X \r\n", Trace);
      break;
    default:
      break;
  }
}

int SigilonReportHook(int /*nReportType*/, char* /*szMessage*/, int* pnReturn) {
  if (hLogFileHandle) {
    char szPrefix[40];
    char szTime[9];
    const int n = std::snprintf(szPrefix, sizeof szPrefix, "%s  [%X] ", _strtime(szTime),
                                static_cast<unsigned>(GetCurrentThreadId()));
    DWORD dwWritten = 0;
    if (n > 0) WriteFile(hLogFileHandle, szPrefix, static_cast<DWORD>(n), &dwWritten, nullptr);
  }
  if (pnReturn) *pnReturn = 0;
  return FALSE;
}

void CloseDebugLog() {
  const _CRT_REPORT_HOOK old = _CrtSetReportHook(nullptr);
  if (old != SigilonReportHook) _CrtSetReportHook(old);  // somebody else's: leave it
  if (hLogFileHandle) {
    _CrtSetReportFile(_CRT_WARN, _CRTDBG_INVALID_HFILE);
    _CrtSetReportMode(_CRT_WARN, _CRTDBG_MODE_DEBUG);
    CloseHandle(hLogFileHandle);
    hLogFileHandle = nullptr;
  }
}
