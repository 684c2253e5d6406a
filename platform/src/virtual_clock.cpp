// The host's hand on time and on the UI thread's message loop.
#include "sigplat/clock.h"

#include <cstdint>

#include "message_queue.h"
#include "timers.h"
#include "window_internal.h"

namespace sigplat {
namespace {

// What a message loop does while the user does nothing: everything ready now,
// except a quit request, which is the host's own loop's to see.
void DispatchReady() {
  win::MessageFilter all;
  MSG msg{};
  while (win::RetrieveMessage(all, true, true, &msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

SIGPLAT_API DWORD VirtualClock() { return static_cast<DWORD>(win::Now()); }

SIGPLAT_API void AdvanceClock(DWORD ms) {
  if (!win::OnWindowThread("AdvanceClock")) return;
  uint64_t target = win::Now() + ms;
  win::MessageFilter all;
  for (;;) {
    DispatchReady();
    uint64_t due = 0;
    if (!win::NextDueTime(all, &due) || due > target) break;
    win::AdvanceNowTo(due);
  }
  // A callback may have moved the clock itself (GetMessageA in a modal
  // loop); time never goes back.
  win::AdvanceNowTo(target);
}

SIGPLAT_API void PumpMessages() {
  if (!win::OnWindowThread("PumpMessages")) return;
  DispatchReady();
}

SIGPLAT_API void ResetClockForTests() {
  win::ClearQueue();
  win::ResetTimersAndClock();
}

}  // namespace sigplat
