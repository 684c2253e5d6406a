// The host's side of the platform: where the Windows world lives and what the
// simulated process looks like. Hosts and tests use this header; the system's
// code never does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/base.h"

namespace sigplat {

// The prefix: the POSIX folder that holds the whole Windows world
// (drive_c/..., machine.reg, user.reg). Defaults to $SIGILON_PREFIX, else
// ~/.sigilon. Changing it makes the registry reload from the new prefix.
SIGPLAT_API void SetPrefix(const std::string& posixDir);
SIGPLAT_API std::string GetPrefix();

// Maps a Windows path to its POSIX path under the prefix: "C:\\A\\b.txt" ->
// "<prefix>/drive_c/A/b.txt", each existing component matched without regard
// to case. Returns false (and sets *error to a Win32 error code) for paths the
// platform cannot map (relative, UNC, device names).
SIGPLAT_API bool MapWindowsPath(const char* winPath, std::string* posixPath, DWORD* error);

// The process's environment as the system sees it through getenv: replaced
// whole, so nothing of the real machine's environment leaks in.
SIGPLAT_API void SetEnvironment(const std::vector<std::pair<std::string, std::string>>& vars);

// The Windows path of the host executable (GetModuleFileNameA(NULL)), e.g.
// "C:\\Program Files\\Microsoft Office\\Office\\OUTLOOK.EXE".
SIGPLAT_API void SetExecutablePath(const std::string& winPath);

// A module of that base name counts as loaded in the process (module lists
// of PSAPI and tool help), without any code behind it.
SIGPLAT_API void AddProcessModule(const std::string& baseName);
SIGPLAT_API void ClearProcessModules();

// The platform id GetVersionExA reports: VER_PLATFORM_WIN32_NT (the default)
// or VER_PLATFORM_WIN32_WINDOWS.
SIGPLAT_API void SetPlatformId(DWORD platformId);

// Where OutputDebugStringA goes when no debugger is attached; an empty
// function restores the default, standard error.
SIGPLAT_API void SetDebugOutputSink(std::function<void(const std::string&)> sink);

}  // namespace sigplat
