// A Windows world of its own for a benchmark: a fresh prefix that is removed
// afterwards, and a user whose site files live in C:\Sigilon.
#pragma once

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "sigplat/registry_host.h"
#include "sigplat/world.h"
#include "winapi.h"

class BenchWorld {
 public:
  BenchWorld() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "sigilon-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    prefix_ = pattern;
    sigplat::SetPrefix(prefix_);
  }
  ~BenchWorld() {
    sigplat::ReloadRegistry();
    std::filesystem::remove_all(prefix_);
  }
  BenchWorld(const BenchWorld&) = delete;
  BenchWorld& operator=(const BenchWorld&) = delete;

  // The POSIX path of a Windows path in this world, folders created.
  std::string Place(const char* winPath) const {
    std::string path;
    DWORD error = 0;
    if (!sigplat::MapWindowsPath(winPath, &path, &error)) std::abort();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
  }
  void WriteFile(const char* winPath, const std::string& content) const {
    std::ofstream(Place(winPath), std::ios::binary) << content;
  }
  static void SetString(HKEY root, const char* key, const char* name, const char* value) {
    HKEY h = nullptr;
    RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(std::strlen(value) + 1));
    RegCloseKey(h);
  }
  static void SetDword(HKEY root, const char* key, const char* name, DWORD value) {
    HKEY h = nullptr;
    RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    RegCloseKey(h);
  }
  const std::string& prefix() const { return prefix_; }

 private:
  std::string prefix_;
};

inline constexpr char kBenchUserKey[] =
    "Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for Outlook";
inline constexpr char kBenchMachineKey[] = "SOFTWARE\\Quillfen Software\\Sigilon for Outlook\\8.6";
