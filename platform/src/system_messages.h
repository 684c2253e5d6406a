// The system's message table: the texts FormatMessageA gives for system
// error codes and HRESULTs.
#pragma once

#include "win/base.h"

namespace sigplat {

// The English text for a message id, without its line end; nullptr for an id
// the table does not hold. An HRESULT made from a Win32 code has that code's text.
const char* SystemMessageText(DWORD id);

}  // namespace sigplat
