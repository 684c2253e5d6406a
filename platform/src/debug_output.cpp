// The debugger-output channel. Without a debugger the text goes to the sink
// the host installed, else to standard error.
#include <csignal>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>

#include "sigplat/world.h"
#include "winapi.h"

namespace {

struct DebugSink {
  std::mutex lock;
  std::function<void(const std::string&)> sink;
};

DebugSink& State() {
  static DebugSink* state = new DebugSink;
  return *state;
}

}  // namespace

namespace sigplat {

void SetDebugOutputSink(std::function<void(const std::string&)> sink) {
  DebugSink& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  s.sink = std::move(sink);
}

}  // namespace sigplat

WINBASEAPI void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
  if (!lpOutputString) return;
  std::function<void(const std::string&)> sink;
  {
    DebugSink& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    sink = s.sink;
  }
  if (sink) {
    sink(lpOutputString);
  } else {
    std::fputs(lpOutputString, stderr);
    std::fflush(stderr);
  }
}

WINBASEAPI BOOL WINAPI IsDebuggerPresent(void) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("TracerPid:", 0) == 0) return std::stol(line.substr(10)) != 0 ? TRUE : FALSE;
  }
  return FALSE;
}

WINBASEAPI void WINAPI DebugBreak(void) { std::raise(SIGTRAP); }
