#include "host_registry.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "host_report.h"
#include "sigplat/registry_host.h"

namespace simhost {

const char kMachineKey[] = "SOFTWARE\\Quillfen Software\\Sigilon for Outlook\\8.6";
const char kUserKey[] = "Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for Outlook";

namespace {

std::string failed(const std::string& what, const KeyPath& key, LONG rc) {
  return what + " " + key.display + ": Windows error " + std::to_string(rc);
}

// Closes the key when the scope ends.
class OpenKey {
 public:
  ~OpenKey() {
    if (h_) RegCloseKey(h_);
  }
  HKEY* out() { return &h_; }
  HKEY get() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

}  // namespace

HKEY rootKey(scenario::RegRoot root) {
  return root == scenario::RegRoot::Hklm ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

KeyPath resolveKey(const scenario::ValueKey& key) {
  using K = scenario::ValueKey::Kind;
  switch (key.kind) {
    case K::Machine:
      return {HKEY_LOCAL_MACHINE, kMachineKey, std::string("HKLM\\") + kMachineKey};
    case K::User:
      return {HKEY_CURRENT_USER, kUserKey, std::string("HKCU\\") + kUserKey};
    case K::Explicit:
      break;
  }
  return {rootKey(key.root), key.path,
          std::string(key.root == scenario::RegRoot::Hklm ? "HKLM\\" : "HKCU\\") + key.path};
}

void setValue(const KeyPath& key, const std::string& name, const scenario::RegData& data) {
  OpenKey h;
  if (data.kind == scenario::RegData::Kind::None) {
    LONG rc = RegOpenKeyExA(key.root, key.path.c_str(), 0, KEY_ALL_ACCESS, h.out());
    if (rc == ERROR_FILE_NOT_FOUND) return;
    if (rc != ERROR_SUCCESS) throw HostError(failed("cannot open", key, rc));
    rc = RegDeleteValueA(h.get(), name.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
      throw HostError(failed("cannot delete " + shown(name) + " in", key, rc));
    return;
  }
  LONG rc = RegCreateKeyExA(key.root, key.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            h.out(), nullptr);
  if (rc != ERROR_SUCCESS) throw HostError(failed("cannot create", key, rc));
  if (data.kind == scenario::RegData::Kind::Dword) {
    const DWORD value = data.dword;
    rc = RegSetValueExA(h.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value);
  } else {
    rc = RegSetValueExA(h.get(), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.sz.c_str()),
                        static_cast<DWORD>(data.sz.size() + 1));
  }
  if (rc != ERROR_SUCCESS) throw HostError(failed("cannot set " + shown(name) + " in", key, rc));
}

void deleteKey(HKEY root, const std::string& path) {
  const LONG rc = RegDeleteKeyA(root, path.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
    std::string rootName = root == HKEY_LOCAL_MACHINE ? "HKLM\\" : "HKCU\\";
    throw HostError("cannot delete the key " + rootName + path + " (a key with subkeys cannot "
                    "be deleted): Windows error " + std::to_string(rc));
  }
}

scenario::RegData readValue(const KeyPath& key, const std::string& name, std::string* other) {
  scenario::RegData data;
  OpenKey h;
  if (RegOpenKeyExA(key.root, key.path.c_str(), 0, KEY_READ, h.out()) != ERROR_SUCCESS) return data;
  DWORD type = 0;
  DWORD cb = 0;
  if (RegQueryValueExA(h.get(), name.c_str(), nullptr, &type, nullptr, &cb) != ERROR_SUCCESS)
    return data;
  std::vector<BYTE> bytes(cb + 1, 0);
  if (RegQueryValueExA(h.get(), name.c_str(), nullptr, &type, bytes.data(), &cb) != ERROR_SUCCESS)
    return data;
  if (type == REG_DWORD && cb == 4) {
    data.kind = scenario::RegData::Kind::Dword;
    data.dword = static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                            static_cast<std::uint32_t>(bytes[3]) << 24);
  } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
    data.kind = scenario::RegData::Kind::Sz;
    std::size_t n = cb;
    while (n > 0 && bytes[n - 1] == 0) --n;  // the stored terminator
    data.sz.assign(reinterpret_cast<const char*>(bytes.data()), n);
  } else if (other) {
    *other = "a value of type " + std::to_string(type) + " (" + std::to_string(cb) + " bytes)";
  }
  return data;
}

std::string describe(const scenario::RegData& data) {
  switch (data.kind) {
    case scenario::RegData::Kind::Dword: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "dword 0x%08X (%u)", static_cast<unsigned>(data.dword),
                    static_cast<unsigned>(data.dword));
      return buf;
    }
    case scenario::RegData::Kind::Sz:
      return "sz " + shown(data.sz);
    case scenario::RegData::Kind::None:
      break;
  }
  return "absent";
}

std::string registryListing(const std::string& prefix) {
  sigplat::FlushRegistry();
  std::string out;
  for (const char* hive : {"machine.reg", "user.reg"}) {
    out += "    ";
    out += hive;
    out += ":\n";
    std::ifstream in(prefix + "/" + hive, std::ios::binary);
    if (!in) {
      out += "      (empty)\n";
      continue;
    }
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line.rfind("Windows Registry Editor", 0) == 0) continue;
      out += "      " + line + "\n";
    }
  }
  return out;
}

}  // namespace simhost
