// The UI thread's queue of posted messages: PostMessageA, PostThreadMessageA,
// PostQuitMessage, GetMessageA and PeekMessageA. There is one UI thread (see
// OnWindowThread), so one queue; nothing else can post to it, which is why
// GetMessageA never blocks (see below).
#include "message_queue.h"

#include <deque>

#include "timers.h"
#include "unsupported.h"
#include "window_internal.h"

namespace sigplat::win {
namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

struct Queue {
  std::deque<MSG> posted;
  bool quitRequested = false;  // PostQuitMessage: a flag, not a queued message
  int exitCode = 0;
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = static_cast<DWORD>(Now());
  return msg;
}

// Messages whose parameters point into the sender's memory can only be sent:
// Windows refuses to post them, since the memory may be gone by the time the
// message is read.
bool IsSendOnly(UINT message) {
  switch (message) {
    case WM_CREATE:
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_NCCREATE:
      return true;
    default:
      return false;
  }
}

bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsSendOnly(message)) {
    SetLastError(ERROR_MESSAGE_SYNC_ONLY);
    return false;
  }
  TheQueue().posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
  return true;
}

// A window filter must name a live window; null and -1 are the thread's own.
bool CheckFilterWindow(HWND hwnd, const char* api) {
  if (!hwnd || hwnd == kThreadMessagesOnly) return true;
  return WindowForCall(hwnd, api) != nullptr;
}

}  // namespace

bool MessageFilter::Matches(HWND target, UINT message) const {
  if (hwnd == kThreadMessagesOnly) {
    if (target) return false;
  } else if (hwnd && !IsSelfOrDescendant(hwnd, target)) {
    return false;
  }
  if (first == 0 && last == 0) return true;
  if (first <= last) return message >= first && message <= last;
  return message >= first || message <= last;
}

bool RetrieveMessage(const MessageFilter& filter, bool remove, bool skipQuit, MSG* msg) {
  Queue& queue = TheQueue();
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (skipQuit && it->message == WM_QUIT) continue;
    if (!filter.Matches(it->hwnd, it->message)) continue;
    *msg = *it;
    if (remove) queue.posted.erase(it);
    return true;
  }
  if (queue.quitRequested && !skipQuit && filter.Matches(nullptr, WM_QUIT)) {
    *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0);
    if (remove) queue.quitRequested = false;
    return true;
  }
  return TakeDueTimer(filter, remove, msg);
}

void ForgetWindowMessages(HWND hwnd) {
  auto& posted = TheQueue().posted;
  for (auto it = posted.begin(); it != posted.end();) {
    it = it->hwnd == hwnd ? posted.erase(it) : it + 1;
  }
  KillWindowTimers(hwnd);
}

void ClearQueue() { TheQueue() = Queue{}; }

}  // namespace sigplat::win

using sigplat::ReportFailure;
using sigplat::win::MessageFilter;

WINBASEAPI BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  const char* api = "PostMessageA";
  if (!sigplat::win::OnWindowThread(api)) return FALSE;
  if (hWnd == HWND_BROADCAST) {
    ReportFailure(api, "broadcasting to all top-level windows is not supported",
                  ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  // A null window makes it a message for the thread itself, as on Windows.
  if (hWnd && !sigplat::win::WindowForCall(hWnd, api)) return FALSE;
  return sigplat::win::Post(hWnd, Msg, wParam, lParam);
}

WINBASEAPI BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!sigplat::win::OnWindowThread("PostThreadMessageA")) return FALSE;
  // Only the UI thread has a queue, and every caller that gets here is it.
  if (idThread != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return sigplat::win::Post(nullptr, Msg, wParam, lParam);
}

WINBASEAPI VOID WINAPI PostQuitMessage(int nExitCode) {
  if (!sigplat::win::OnWindowThread("PostQuitMessage")) return;
  auto& queue = sigplat::win::TheQueue();
  queue.quitRequested = true;
  queue.exitCode = nExitCode;
}

WINBASEAPI BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                    UINT wRemoveMsg) {
  const char* api = "PeekMessageA";
  if (!sigplat::win::OnWindowThread(api)) return FALSE;
  if (wRemoveMsg & ~static_cast<UINT>(PM_REMOVE | PM_NOYIELD)) {
    ReportFailure(api, "only PM_NOREMOVE, PM_REMOVE and PM_NOYIELD are supported",
                  ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!lpMsg) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  if (!sigplat::win::CheckFilterWindow(hWnd, api)) return FALSE;
  MessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
  return sigplat::win::RetrieveMessage(filter, (wRemoveMsg & PM_REMOVE) != 0, false, lpMsg);
}

// On Windows the thread would sleep until something arrives. Here nothing can
// arrive while it sleeps except a timer coming due, so the wait is the clock
// moving on to the next timer the filter accepts; with no such timer the wait
// would never end, and the call says so and fails rather than hang the host.
WINBASEAPI BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  const char* api = "GetMessageA";
  if (!sigplat::win::OnWindowThread(api)) return -1;
  if (!lpMsg) {
    SetLastError(ERROR_NOACCESS);
    return -1;
  }
  if (!sigplat::win::CheckFilterWindow(hWnd, api)) return -1;
  MessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
  for (;;) {
    if (sigplat::win::RetrieveMessage(filter, true, false, lpMsg)) {
      return lpMsg->message == WM_QUIT ? 0 : 1;
    }
    uint64_t due = 0;
    if (!sigplat::win::NextDueTime(filter, &due)) {
      ReportFailure(api,
                    "GetMessageA would wait forever: nothing is queued for it and no timer "
                    "it accepts is set",
                    ERROR_POSSIBLE_DEADLOCK);
      return -1;
    }
    sigplat::win::AdvanceNowTo(due);
  }
}
