// Gives each registry test a fresh, empty prefix and removes it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "sigplat/registry_host.h"
#include "sigplat/world.h"
#include "winapi.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "sigreg-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    prefix_ = pattern;
    UsePrefix(prefix_);
  }

  void TearDown() override {
    sigplat::SimulateCrashBeforeRename(false);
    sigplat::ReloadRegistry();
    std::filesystem::remove_all(prefix_);
  }

  // The registry notices the change at its next call.
  static void UsePrefix(const std::string& dir) {
    setenv("SIGILON_PREFIX", dir.c_str(), 1);
    sigplat::SetPrefix(dir);
  }

  std::string PathOf(const std::string& name) const { return prefix_ + "/" + name; }

  std::string ReadPrefixFile(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void WritePrefixFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
  }

  // Saves what is pending and reads the hives back from their files.
  static void SaveAndReload() {
    sigplat::FlushRegistry();
    sigplat::ReloadRegistry();
  }

  static HKEY Create(HKEY root, const char* path, REGSAM sam = KEY_ALL_ACCESS) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, sam, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS)
        << path;
    return key;
  }

  static LONG Set(HKEY key, const char* name, DWORD type, const std::string& bytes) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }

  // The value's bytes, or "<error N>" when it cannot be read.
  static std::string Get(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return "<error " + std::to_string(rc) + ">";
    std::string data(size, '\0');
    rc = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (rc != ERROR_SUCCESS) return "<error " + std::to_string(rc) + ">";
    return data;
  }

  // CR LF line ends, as the hive files have them.
  static std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
      if (c == '\n') out += '\r';
      out += c;
    }
    return out;
  }

  std::string prefix_;
};
