// The UI thread's message queue, shared by the files that post, retrieve and
// dispatch messages and by the timers, whose WM_TIMER messages are made on
// demand when the queue is asked for one.
#pragma once

#include "winapi.h"

namespace sigplat::win {

// Which messages a GetMessageA or PeekMessageA call asks for.
struct MessageFilter {
  // Null: any window or none; (HWND)-1: thread messages only; otherwise the
  // window and its descendants.
  HWND hwnd = nullptr;
  // Both 0: any message; first > last: all but those strictly between.
  UINT first = 0;
  UINT last = 0;

  bool Matches(HWND target, UINT message) const;
};

// The next message in Windows' order: posted messages first-in first-out,
// then the quit request, then WM_TIMER of the earliest due timer. With remove
// it leaves the queue (a timer re-arms). With skipQuit a WM_QUIT stays where
// it is and the messages behind it are looked at instead.
bool RetrieveMessage(const MessageFilter& filter, bool remove, bool skipQuit, MSG* msg);

// A window being freed: its posted messages go and its timers die with it.
void ForgetWindowMessages(HWND hwnd);

// Empties the queue and withdraws a quit request.
void ClearQueue();

}  // namespace sigplat::win
