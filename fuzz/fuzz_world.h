// One Windows world for a whole fuzzing run: a prefix in a temporary folder
// and a user whose site files live in C:\Sigilon. Message boxes are answered
// by nobody (the default button), which is what a fuzzed file may provoke.
#pragma once

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "extension/message_state.h"
#include "rules/settings_store.h"
#include "sigplat/user_agent.h"
#include "sigplat/world.h"
#include "winapi.h"

inline std::string FuzzWorldFile(const char* winPath) {
  static bool ready = false;
  if (!ready) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "sigilon-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    sigplat::SetPrefix(pattern);
    HKEY h = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER,
                    "Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for Outlook", 0,
                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    const char folder[] = "C:\\Sigilon";
    RegSetValueExA(h, "ClassificationPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   sizeof folder);
    RegCloseKey(h);
    std::snprintf(szMatchString, sizeof szMatchString, "Classification:");
    std::snprintf(szClassInsert, sizeof szClassInsert, "Classification: ");
    std::snprintf(szCLASSIFICATION, sizeof szCLASSIFICATION, "CLASSIFICATION:");
    nClassMatchLength = 15;
    ready = true;
  }
  std::string path;
  DWORD error = 0;
  if (!sigplat::MapWindowsPath(winPath, &path, &error)) std::abort();
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  return path;
}

inline void WriteFuzzFile(const char* winPath, const uint8_t* data, size_t size) {
  std::ofstream(FuzzWorldFile(winPath), std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  sigplat::ClearTranscript();
}

// The text as the scans receive it: NUL-terminated, so a NUL in the input ends it.
inline std::string FuzzText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size).c_str();
}
