// The library's load and unload: settings first, then DMS detection (which
// decides how the settings load), then the trace destination.
#include "winapi.h"

#include "env/dms_detect.h"
#include "env/trace.h"
#include "env/trace_log.h"
#include "extension/module_state.h"
#include "rules/settings_store.h"


DLLEXPORT BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID /*lpvReserved*/) {
  switch (fdwReason) {
    case DLL_PROCESS_ATTACH:
      ghInstDLL = hinstDLL;
      CheckRegistryKeys();
      bDMSActive = CheckDMS();
      InitializeFromRegistryKeys();
      if (!bStyleLocked) bDMSActive = FALSE;
      SetDebugOptions();
      SIGTRACE(TRACE_PROCESS, "DllMain(DLL_PROCESS_ATTACH) Trace = %X,  ThreadID = %X\r\n",
               static_cast<unsigned>(Trace), static_cast<unsigned>(GetCurrentThreadId()));
      break;
    case DLL_PROCESS_DETACH:
      SIGTRACE(TRACE_PROCESS, "DllMain(DLL_PROCESS_DETACH) ThreadID = %X\r\n",
               static_cast<unsigned>(GetCurrentThreadId()));
      CloseDebugLog();
      break;
    case DLL_THREAD_ATTACH:
      SIGTRACE(TRACE_PROCESS, "DllMain(DLL_THREAD_ATTACH) ThreadID = %X\r\n",
               static_cast<unsigned>(GetCurrentThreadId()));
      break;
    case DLL_THREAD_DETACH:
      SIGTRACE(TRACE_PROCESS, "DllMain(DLL_THREAD_DETACH) ThreadID = %X\r\n",
               static_cast<unsigned>(GetCurrentThreadId()));
      break;
    default:
      break;
  }
  return TRUE;
}
