// Call-window-procedure hooks, run by the window manager before a sent
// message reaches its window procedure.
#pragma once

#include "winapi.h"

namespace sigplat::win {

// Shows the message to the WH_CALLWNDPROC chain, the hook installed last
// first. Hooks only look: the message reaches the procedure unchanged
// whatever they do.
void CallWndProcHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace sigplat::win
