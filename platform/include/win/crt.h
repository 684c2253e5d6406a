// The Microsoft C run-time's string extensions the system uses. They work on
// 8-bit text in the ANSI code page; case is folded for ASCII letters only, as
// the "C" locale does.
#pragma once

#include <cstddef>

#include "win/base.h"

WINBASEAPI int _stricmp(const char* string1, const char* string2);
WINBASEAPI int _strnicmp(const char* string1, const char* string2, size_t count);
WINBASEAPI char* _strupr(char* str);
