// SetTimer, KillTimer and the virtual clock they run on.
#include "timers.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "window_internal.h"

namespace sigplat::win {
namespace {

struct Timer {
  HWND hwnd;          // null for a thread timer
  UINT_PTR id;        // the window's id for it, or the id SetTimer made up
  UINT elapse;        // period in ms, already clamped
  TIMERPROC proc;     // null: WM_TIMER goes to the window procedure
  uint64_t due;       // virtual time of the next expiry
  uint64_t setOrder;  // breaks ties between timers due at the same moment
};

struct TimerTable {
  std::vector<Timer> timers;
  // Written by the UI thread only; atomic because GetTickCount may be read
  // from any thread.
  std::atomic<uint64_t> now{0};
  uint64_t nextSetOrder = 0;
  // Thread timer ids are made up here and never handed out twice, so a stale
  // id can never kill a newer timer.
  UINT_PTR nextThreadId = 1;
};

TimerTable& Table() {
  static TimerTable table;
  return table;
}

Timer* Find(HWND hwnd, UINT_PTR id) {
  for (Timer& t : Table().timers) {
    if (t.hwnd == hwnd && t.id == id) return &t;
  }
  return nullptr;
}

UINT ClampElapse(UINT elapse) {
  return std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
}

// The earliest due (then earliest set) timer the filter accepts, due by the
// limit; null if none.
Timer* Earliest(const MessageFilter& filter, uint64_t limit) {
  Timer* best = nullptr;
  for (Timer& t : Table().timers) {
    if (t.due > limit || !filter.Matches(t.hwnd, WM_TIMER)) continue;
    if (!best || t.due < best->due || (t.due == best->due && t.setOrder < best->setOrder)) {
      best = &t;
    }
  }
  return best;
}

}  // namespace

uint64_t Now() { return Table().now; }

void AdvanceNowTo(uint64_t time) {
  auto& now = Table().now;
  if (time > now.load()) now.store(time);
}

bool TakeDueTimer(const MessageFilter& filter, bool remove, MSG* msg) {
  uint64_t now = Now();
  Timer* t = Earliest(filter, now);
  if (!t) return false;
  *msg = MSG{};
  msg->hwnd = t->hwnd;
  msg->message = WM_TIMER;
  msg->wParam = t->id;
  msg->lParam = reinterpret_cast<LPARAM>(t->proc);
  msg->time = static_cast<DWORD>(now);
  if (remove) {
    // Periods missed while nobody asked fold into this one WM_TIMER.
    t->due += t->elapse;
    if (t->due <= now) t->due = now + t->elapse;
  }
  return true;
}

bool NextDueTime(const MessageFilter& filter, uint64_t* due) {
  Timer* t = Earliest(filter, UINT64_MAX);
  if (!t) return false;
  *due = t->due;
  return true;
}

bool IsLiveTimerProc(TIMERPROC proc) {
  const auto& timers = Table().timers;
  return std::any_of(timers.begin(), timers.end(),
                     [proc](const Timer& t) { return t.proc == proc; });
}

void KillWindowTimers(HWND hwnd) {
  auto& timers = Table().timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
               timers.end());
}

void ResetTimersAndClock() {
  TimerTable& table = Table();
  table.timers.clear();
  table.now.store(0);
}

}  // namespace sigplat::win

using sigplat::win::Timer;

// With a window the timer is the window's nIDEvent, and setting it again
// replaces it. Without one, nIDEvent only matters when it names a live thread
// timer (which is then replaced); otherwise a new id is made up and returned.
// Either way the period starts now.
WINBASEAPI UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse,
                                    TIMERPROC lpTimerFunc) {
  const char* api = "SetTimer";
  if (!sigplat::win::OnWindowThread(api)) return 0;
  if (hWnd && !sigplat::win::WindowForCall(hWnd, api)) return 0;
  auto& table = sigplat::win::Table();
  UINT elapse = sigplat::win::ClampElapse(uElapse);
  uint64_t due = table.now + elapse;
  uint64_t order = table.nextSetOrder++;
  Timer* existing = hWnd || nIDEvent ? sigplat::win::Find(hWnd, nIDEvent) : nullptr;
  if (existing) {
    existing->elapse = elapse;
    existing->proc = lpTimerFunc;
    existing->due = due;
    existing->setOrder = order;
  } else {
    UINT_PTR id = hWnd ? nIDEvent : table.nextThreadId++;
    table.timers.push_back(Timer{hWnd, id, elapse, lpTimerFunc, due, order});
  }
  if (hWnd) return nIDEvent ? nIDEvent : 1;  // the id may be 0; success may not
  return existing ? existing->id : table.timers.back().id;
}

WINBASEAPI BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  const char* api = "KillTimer";
  if (!sigplat::win::OnWindowThread(api)) return FALSE;
  if (hWnd && !sigplat::win::WindowForCall(hWnd, api)) return FALSE;
  auto& timers = sigplat::win::Table().timers;
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    if (it->hwnd == hWnd && it->id == uIDEvent) {
      timers.erase(it);
      return TRUE;
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

WINBASEAPI DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(sigplat::win::Now()); }
