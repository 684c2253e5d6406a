#include "tests/support/fresh_world.h"

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sigplat/registry_host.h"
#include "sigplat/world.h"

namespace sigtest {

const char kUserKey[] = "Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for Outlook";
const char kMachineKey[] = "SOFTWARE\\Quillfen Software\\Sigilon for Outlook\\8.6";

namespace {

// The test process's own environment, which the simulated one replaces.
std::vector<std::pair<std::string, std::string>> RealEnvironment() {
  std::vector<std::pair<std::string, std::string>> vars;
  for (char** p = environ; *p; ++p) {
    const std::string entry = *p;
    const size_t eq = entry.find('=');
    if (eq != std::string::npos) vars.emplace_back(entry.substr(0, eq), entry.substr(eq + 1));
  }
  return vars;
}

}  // namespace

void FreshWorld::SetUp() {
  realEnvironment_ = RealEnvironment();
  std::string pattern = (std::filesystem::temp_directory_path() / "sigilon-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  prefix_ = pattern;
  sigplat::SetPrefix(prefix_);
  std::filesystem::create_directories(prefix_ + "/drive_c/Windows/Temp");
  sigplat::SetEnvironment({{"TEMP", "C:\\Windows\\Temp"}});
  sigplat::ClearTranscript();
  sigplat::SetUserAgent(&agent_);
}

void FreshWorld::TearDown() {
  sigplat::SetUserAgent(nullptr);
  sigplat::SetEnvironment(realEnvironment_);
  sigplat::ReloadRegistry();
  std::error_code ec;
  std::filesystem::remove_all(prefix_, ec);
}

void FreshWorld::InstallMachineDefaults() {
  SetString(HKEY_LOCAL_MACHINE, kMachineKey, "MatchString", "Classification:");
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "InsertSpace", 1);
  SetString(HKEY_LOCAL_MACHINE, kMachineKey, "DefaultPath", "C:\\Sigilon");
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "LastMajorBuild", 0x00090000);
  SetDword(HKEY_LOCAL_MACHINE, kMachineKey, "LastMinorBuild", 0x00000A41);
}

void FreshWorld::SetDword(HKEY root, const char* key, const char* name, DWORD value) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
            ERROR_SUCCESS);
  RegCloseKey(h);
}

void FreshWorld::SetString(HKEY root, const char* key, const char* name, const std::string& value) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1)),
            ERROR_SUCCESS);
  RegCloseKey(h);
}

void FreshWorld::DeleteValue(HKEY root, const char* key, const char* name) {
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueA(h, name), ERROR_SUCCESS);
  RegCloseKey(h);
}

std::optional<DWORD> FreshWorld::GetDword(HKEY root, const char* key, const char* name) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0;
  DWORD cb = sizeof value;
  const LONG rc = RegQueryValueExA(h, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &cb);
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS || cb != 4) return std::nullopt;
  return value;
}

std::optional<std::string> FreshWorld::GetString(HKEY root, const char* key, const char* name) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return std::nullopt;
  char buffer[1024];
  DWORD cb = sizeof buffer;
  const LONG rc = RegQueryValueExA(h, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &cb);
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS || cb == 0) return std::nullopt;
  return std::string(buffer, cb - 1);
}

std::vector<std::string> FreshWorld::ValueNames(const std::string& hiveFile,
                                                const std::string& keyHeader) {
  sigplat::FlushRegistry();
  std::ifstream in(prefix_ + "/" + hiveFile);
  std::vector<std::string> names;
  std::string line;
  bool inKey = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inKey = line == "[" + keyHeader + "]";
    } else if (inKey && !line.empty() && line[0] == '"') {
      names.push_back(line.substr(1, line.find('"', 1) - 1));
    }
  }
  return names;
}

std::vector<std::string> FreshWorld::Boxes() const {
  std::vector<std::string> boxes;
  for (const auto& entry : sigplat::Transcript()) {
    if (entry.kind == sigplat::TranscriptEntry::Kind::MessageBox) {
      boxes.push_back(entry.messageBox.caption + "|" + entry.messageBox.text);
    }
  }
  return boxes;
}

std::vector<int> FreshWorld::Dialogs() const {
  std::vector<int> dialogs;
  for (const auto& entry : sigplat::Transcript()) {
    if (entry.kind == sigplat::TranscriptEntry::Kind::Dialog) dialogs.push_back(entry.dialog.templateId);
  }
  return dialogs;
}

std::optional<std::string> FreshWorld::ReadWorldFile(const char* winPath) const {
  std::string path;
  DWORD error = 0;
  if (!sigplat::MapWindowsPath(winPath, &path, &error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void FreshWorld::WriteWorldFile(const char* winPath, const std::string& content) const {
  std::string path;
  DWORD error = 0;
  ASSERT_TRUE(sigplat::MapWindowsPath(winPath, &path, &error));
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace sigtest
