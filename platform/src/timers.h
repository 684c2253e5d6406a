// Timers and the virtual clock they run on. A due timer is not queued: the
// queue asks for its WM_TIMER when nothing posted is left, so a timer never
// has two WM_TIMER messages waiting.
#pragma once

#include <cstdint>

#include "message_queue.h"
#include "winapi.h"

namespace sigplat::win {

// Virtual milliseconds since the process started.
uint64_t Now();

// Moves the clock forward to time; it never goes back.
void AdvanceNowTo(uint64_t time);

// The WM_TIMER of the earliest due timer the filter accepts (ties: the one set
// first). With remove the timer re-arms one period after its due time.
bool TakeDueTimer(const MessageFilter& filter, bool remove, MSG* msg);

// When the earliest timer the filter accepts comes due; false if it has none.
bool NextDueTime(const MessageFilter& filter, uint64_t* due);

// True while some timer has this procedure: DispatchMessageA calls the
// TIMERPROC of a WM_TIMER only then, as Windows does.
bool IsLiveTimerProc(TIMERPROC proc);

void KillWindowTimers(HWND hwnd);
// No timer left and the clock back at 0.
void ResetTimersAndClock();

}  // namespace sigplat::win
