// The current process and its threads.
#include <unistd.h>

#include <atomic>

#include "winapi.h"

WINBASEAPI HANDLE WINAPI GetCurrentProcess(void) { return reinterpret_cast<HANDLE>(-1); }

WINBASEAPI DWORD WINAPI GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }

WINBASEAPI DWORD WINAPI GetCurrentThreadId(void) {
  // Small, stable and never zero, like the ids Windows gives its threads.
  static std::atomic<DWORD> s_nextId{1};
  thread_local DWORD t_id = s_nextId.fetch_add(1);
  return t_id;
}

WINBASEAPI LONG WINAPI InterlockedIncrement(LONG volatile* Addend) {
  return __atomic_add_fetch(Addend, 1, __ATOMIC_SEQ_CST);
}

WINBASEAPI LONG WINAPI InterlockedDecrement(LONG volatile* Addend) {
  return __atomic_sub_fetch(Addend, 1, __ATOMIC_SEQ_CST);
}
