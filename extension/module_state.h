// The library's own module handle, for its resources.
#pragma once

#include "winapi.h"

extern HINSTANCE ghInstDLL;
