// The uninstall helper: refuses removal while Outlook runs, and writes the
// value that tells Outlook's set-up its extension list has changed.
#pragma once

#include "winapi.h"

DLLEXPORT LONG WINAPI UninstInitialize(DWORD dwUnused1, DWORD dwUnused2, DWORD dwUnused3);
DLLEXPORT LONG WINAPI UninstUnInitialize(DWORD dwUnused1, DWORD dwUnused2, DWORD dwUnused3);
