// Functions the system reaches only through GetProcAddress on a built-in
// module, so they have no C declaration of their own.
#pragma once

#include "win/kernel.h"

namespace sigplat::detail {

// PSAPI.DLL
BOOL WINAPI EnumProcessModules(HANDLE hProcess, HMODULE* lphModule, DWORD cb, LPDWORD lpcbNeeded);
DWORD WINAPI GetModuleBaseNameA(HANDLE hProcess, HMODULE hModule, LPSTR lpBaseName, DWORD nSize);

// Tool help, in KERNEL32.DLL
HANDLE WINAPI CreateToolhelp32Snapshot(DWORD dwFlags, DWORD th32ProcessID);
BOOL WINAPI Module32First(HANDLE hSnapshot, LPMODULEENTRY32 lpme);
BOOL WINAPI Module32Next(HANDLE hSnapshot, LPMODULEENTRY32 lpme);

// True for the handles of the current process: the pseudo-handle and the id.
bool IsCurrentProcess(HANDLE hProcess);

}  // namespace sigplat::detail
