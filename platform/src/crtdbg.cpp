// The debug report facility of the C run-time library. A report is formatted
// once, offered to the hook, then sent to each destination its type selects:
// a file handle, the debugger output, or an Abort/Retry/Ignore box.
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "winapi.h"

namespace {

constexpr int kModeMask = _CRTDBG_MODE_FILE | _CRTDBG_MODE_DEBUG | _CRTDBG_MODE_WNDW;

struct ReportState {
  // Destinations per report type, as the run-time library starts them:
  // warnings to the debugger, errors and assertions to the window.
  int mode[_CRT_ERRCNT] = {_CRTDBG_MODE_DEBUG, _CRTDBG_MODE_WNDW, _CRTDBG_MODE_WNDW};
  HANDLE file[_CRT_ERRCNT] = {_CRTDBG_INVALID_HFILE, _CRTDBG_INVALID_HFILE,
                              _CRTDBG_INVALID_HFILE};
  _CRT_REPORT_HOOK hook = nullptr;
};

ReportState& State() {
  static ReportState state;
  return state;
}

bool ValidType(int reportType) { return reportType >= 0 && reportType < _CRT_ERRCNT; }

__attribute__((format(printf, 1, 0))) std::string FormatV(const char* format, va_list args) {
  if (!format) return std::string();
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n < 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(&text[0], text.size(), format, args);
  text.resize(static_cast<size_t>(n));
  return text;
}

void WriteToFile(HANDLE file, const std::string& message) {
  if (file == _CRTDBG_INVALID_HFILE || file == _CRTDBG_HFILE_ERROR || file == nullptr) return;
  if (file == _CRTDBG_FILE_STDOUT || file == _CRTDBG_FILE_STDERR) {
    std::FILE* stream = file == _CRTDBG_FILE_STDOUT ? stdout : stderr;
    std::fwrite(message.data(), 1, message.size(), stream);
    std::fflush(stream);
    return;
  }
  DWORD written = 0;
  WriteFile(file, message.data(), static_cast<DWORD>(message.size()), &written, nullptr);
}

// The interactive destination: the user chooses to abort the program, stop in
// the debugger, or go on.
int AskUser(int reportType, const char* filename, int linenumber, const std::string& message) {
  char program[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, program, sizeof program);
  std::string text = reportType == _CRT_WARN ? "Debug Warning!" : "Debug Error!";
  text += "\n\nProgram: ";
  text += program;
  if (filename) {
    text += "\nFile: ";
    text += filename;
    text += "\nLine: " + std::to_string(linenumber);
  }
  text += "\n\n" + message + "\n\n(Press Retry to debug the application)";
  const int answer = MessageBoxA(nullptr, text.c_str(), "Debug Library",
                                 MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_TASKMODAL | MB_SETFOREGROUND);
  if (answer == IDABORT) {
    std::fputs("abnormal program termination\n", stderr);
    std::raise(SIGABRT);
    _exit(3);
  }
  return answer == IDRETRY ? 1 : 0;
}

}  // namespace

WINBASEAPI int _CrtSetReportMode(int reportType, int reportMode) {
  if (!ValidType(reportType)) return -1;
  ReportState& state = State();
  const int old = state.mode[reportType];
  if (reportMode == _CRTDBG_REPORT_MODE) return old;
  if (reportMode & ~kModeMask) return -1;
  state.mode[reportType] = reportMode;
  return old;
}

WINBASEAPI HANDLE _CrtSetReportFile(int reportType, HANDLE reportFile) {
  if (!ValidType(reportType)) return _CRTDBG_HFILE_ERROR;
  ReportState& state = State();
  const HANDLE old = state.file[reportType];
  if (reportFile != _CRTDBG_REPORT_FILE) state.file[reportType] = reportFile;
  return old;
}

WINBASEAPI _CRT_REPORT_HOOK _CrtSetReportHook(_CRT_REPORT_HOOK reportHook) {
  ReportState& state = State();
  const _CRT_REPORT_HOOK old = state.hook;
  state.hook = reportHook;
  return old;
}

WINBASEAPI int _CrtDbgReport(int reportType, const char* filename, int linenumber,
                             const char* /*moduleName*/, const char* format, ...) {
  if (!ValidType(reportType)) return -1;
  va_list args;
  va_start(args, format);
  const std::string user = FormatV(format, args);
  va_end(args);

  std::string message;
  if (reportType == _CRT_ASSERT) message = "Assertion failed: ";
  if (filename) {
    message = std::string(filename) + "(" + std::to_string(linenumber) + ") : " + message;
  }
  message += user;

  ReportState& state = State();
  if (state.hook) {
    // The hook may keep the text; it gets a writable copy, as the run-time
    // library hands it its own buffer.
    std::string copy = message;
    int hookResult = 0;
    if (state.hook(reportType, &copy[0], &hookResult)) return hookResult;
  }
  const int mode = state.mode[reportType];
  if (mode & _CRTDBG_MODE_FILE) WriteToFile(state.file[reportType], message);
  if (mode & _CRTDBG_MODE_DEBUG) OutputDebugStringA(message.c_str());
  if (mode & _CRTDBG_MODE_WNDW) return AskUser(reportType, filename, linenumber, message);
  return 0;
}

WINBASEAPI void _CrtDbgBreak(void) { DebugBreak(); }
