// The virtual clock of the simulated machine and the host's hand on the UI
// thread's message loop. Time starts at 0 ms with the process and moves only
// when the host says so (AdvanceClock), or when GetMessageA, with nothing
// queued, waits for the next timer: the thread sleeps and time passes.
// GetTickCount reads this clock. Hosts and tests use this header; the system's
// code never does.
#pragma once

#include "win/base.h"

namespace sigplat {

// The current virtual time in milliseconds, as GetTickCount reports it.
SIGPLAT_API DWORD VirtualClock();

// Lets ms milliseconds pass while the UI thread's message loop runs and the
// user does nothing: what is queued now is dispatched first; then each timer
// that comes due on the way fires in due order, the clock standing at its due
// time, by dispatching its WM_TIMER through DispatchMessageA (its TIMERPROC,
// or its window's procedure), and whatever that posts is dispatched before the
// next timer. A pending WM_QUIT is left queued for the host's GetMessageA.
SIGPLAT_API void AdvanceClock(DWORD ms);

// Dispatches everything the queue holds now, posted messages first and then
// due timers, as a message loop would while the user does nothing; the clock
// stays where it is. A pending WM_QUIT is left queued.
SIGPLAT_API void PumpMessages();

// Back to time 0 with no timer, no queued message and no quit request, so that
// each test starts from a quiet machine. Hooks are not touched.
SIGPLAT_API void ResetClockForTests();

}  // namespace sigplat
