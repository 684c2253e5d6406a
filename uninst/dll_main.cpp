// The helper keeps no state: load and unload have nothing to do.
#include "winapi.h"

DLLEXPORT BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
