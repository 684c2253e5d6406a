// The one header through which the system's code reaches its platform. On
// Windows it is the SDK plus our own declarations of what the SDK lacks; here
// it is the platform library that stands in for Win32, COM and MAPI.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <crtdbg.h>
#include <string.h>
#include <cstdio>
#define DLLEXPORT extern "C" __declspec(dllexport)
#define WinFOpen fopen
#else
#include "win/base.h"
#include "win/error.h"
#include "win/kernel.h"
#include "win/registry.h"
#include "win/user.h"
#include "win/dialog.h"
#include "win/styles.h"
#include "win/controls.h"
#include "win/resource.h"
#include "win/version.h"
#include "win/com.h"
#include "win/mapi.h"
#include "win/commctrl.h"
#include "win/crt.h"
#include "win/crtdbg.h"
#endif
