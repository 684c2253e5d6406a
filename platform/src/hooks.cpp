// SetWindowsHookExA, UnhookWindowsHookEx and CallNextHookEx for the
// call-window-procedure hook of the UI thread.
#include "hooks.h"

#include <cstdint>
#include <string>
#include <vector>

#include "unsupported.h"
#include "window_internal.h"

namespace sigplat::win {
namespace {

struct Hook {
  HHOOK handle;
  HOOKPROC proc;
  uint64_t order;  // installation order: the chain runs from the highest down
};

struct HookChain {
  std::vector<Hook> hooks;
  // The hooks now running, innermost last: CallNextHookEx goes on from there.
  // Kept as installation orders rather than records, so that a hook removed
  // while it runs can still pass the message on.
  std::vector<uint64_t> running;
  uint64_t nextOrder = 1;
  ULONG_PTR nextHandle = 0x30002;
};

HookChain& Chain() {
  static HookChain chain;
  return chain;
}

class RunningHook {
 public:
  explicit RunningHook(uint64_t order) { Chain().running.push_back(order); }
  ~RunningHook() { Chain().running.pop_back(); }
  RunningHook(const RunningHook&) = delete;
  RunningHook& operator=(const RunningHook&) = delete;
};

// Calls the most recently installed hook older than `below`; 0 if none is
// left, which is what the end of the chain returns.
LRESULT CallHookBelow(uint64_t below, int code, WPARAM wParam, LPARAM lParam) {
  const Hook* next = nullptr;
  for (const Hook& h : Chain().hooks) {
    if (h.order < below && (!next || h.order > next->order)) next = &h;
  }
  if (!next) return 0;
  HOOKPROC proc = next->proc;  // the record may go while the hook runs
  RunningHook running(next->order);
  return proc(code, wParam, lParam);
}

}  // namespace

void CallWndProcHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (Chain().hooks.empty()) return;
  CWPSTRUCT cwp{lParam, wParam, msg, hwnd};
  // wParam TRUE: the message comes from this thread, as every message here does.
  CallHookBelow(UINT64_MAX, HC_ACTION, TRUE, reinterpret_cast<LPARAM>(&cwp));
}

}  // namespace sigplat::win

using sigplat::ReportFailure;

WINBASEAPI HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod,
                                          DWORD dwThreadId) {
  const char* api = "SetWindowsHookExA";
  if (!sigplat::win::OnWindowThread(api)) return nullptr;
  if (idHook != WH_CALLWNDPROC) {
    ReportFailure(
        api, "hook type " + std::to_string(idHook) + " is not supported; only WH_CALLWNDPROC is",
        ERROR_INVALID_HOOK_FILTER);
    return nullptr;
  }
  if (!lpfn) {
    SetLastError(ERROR_INVALID_FILTER_PROC);
    return nullptr;
  }
  // A hook on every thread of the desktop has to live in a module Windows can
  // map into the other processes.
  if (dwThreadId == 0 && !hmod) {
    SetLastError(ERROR_HOOK_NEEDS_HMOD);
    return nullptr;
  }
  if (dwThreadId != 0 && dwThreadId != GetCurrentThreadId()) {
    ReportFailure(api, "hooks can watch only the UI thread", ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& chain = sigplat::win::Chain();
  HHOOK handle = reinterpret_cast<HHOOK>(chain.nextHandle);
  chain.nextHandle += 2;
  chain.hooks.push_back(sigplat::win::Hook{handle, lpfn, chain.nextOrder++});
  return handle;
}

WINBASEAPI BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
  if (!sigplat::win::OnWindowThread("UnhookWindowsHookEx")) return FALSE;
  auto& hooks = sigplat::win::Chain().hooks;
  for (auto it = hooks.begin(); it != hooks.end(); ++it) {
    if (it->handle == hhk) {
      hooks.erase(it);
      return TRUE;
    }
  }
  SetLastError(ERROR_INVALID_HOOK_HANDLE);
  return FALSE;
}

// The chain goes on from the hook that is running, whatever hhk says (as on
// Windows since NT, where the parameter is ignored). Outside a hook there is
// nothing next: 0.
WINBASEAPI LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
  (void)hhk;
  if (!sigplat::win::OnWindowThread("CallNextHookEx")) return 0;
  auto& running = sigplat::win::Chain().running;
  if (running.empty()) return 0;
  return sigplat::win::CallHookBelow(running.back(), nCode, wParam, lParam);
}
