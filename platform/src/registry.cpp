// The registry functions of advapi32, over the hives of registry_world.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "registry_world.h"
#include "winapi.h"

namespace {

using sigplat::reg::KeyRef;
using sigplat::reg::WorldLock;

constexpr REGSAM kGenericRead = 0x80000000u;
constexpr REGSAM kGenericWrite = 0x40000000u;
constexpr REGSAM kGenericExecute = 0x20000000u;
constexpr REGSAM kGenericAll = 0x10000000u;
constexpr REGSAM kMaximumAllowed = 0x02000000u;

// The key rights a handle gets for what was asked; generic rights map to the
// key's specific ones as the registry's generic mapping does.
REGSAM EffectiveAccess(REGSAM sam) {
  REGSAM access = sam & ~(KEY_WOW64_64KEY | KEY_WOW64_32KEY | kGenericRead | kGenericWrite |
                          kGenericExecute | kGenericAll | kMaximumAllowed);
  if (sam & kGenericRead) access |= KEY_READ;
  if (sam & kGenericWrite) access |= KEY_WRITE;
  if (sam & kGenericExecute) access |= KEY_EXECUTE;
  if (sam & (kGenericAll | kMaximumAllowed)) access |= KEY_ALL_ACCESS;
  return access;
}

// Splits a subkey path. A leading backslash is a syntax error, as on Windows;
// runs of backslashes separate like one and a trailing one is ignored.
LONG SplitSubkey(LPCSTR subKey, std::vector<std::string_view>* parts) {
  parts->clear();
  if (!subKey || !*subKey) return ERROR_SUCCESS;
  if (*subKey == '\\') return ERROR_BAD_PATHNAME;
  std::string_view rest(subKey);
  while (!rest.empty()) {
    size_t slash = rest.find('\\');
    if (slash != 0) parts->push_back(rest.substr(0, slash));
    if (slash == std::string_view::npos) break;
    rest = rest.substr(slash + 1);
  }
  return ERROR_SUCCESS;
}

// The hive file holds one name per line; a line break in a name could not
// come back from it.
bool IsStorableName(std::string_view name, const char* what) {
  if (name.find_first_of("\r\n") == std::string_view::npos) return true;
  std::fprintf(stderr, "registry: a %s name with a line break cannot be kept in a hive file\n",
               what);
  return false;
}

std::string_view ValueName(LPCSTR name) { return name ? std::string_view(name) : ""; }

// The key a handle names, and the path of names below it.
LONG ResolvePath(HKEY hKey, LPCSTR subKey, KeyRef* ref, std::vector<std::string_view>* parts) {
  const LONG rc = sigplat::reg::ResolveHandle(hKey, ref);
  if (rc != ERROR_SUCCESS) return rc;
  return SplitSubkey(subKey, parts);
}

}  // namespace

WINBASEAPI LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                                     PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  if (ulOptions != 0) {
    std::fprintf(stderr, "RegOpenKeyExA: options %#x are not supported\n",
                 static_cast<unsigned>(ulOptions));
    return ERROR_INVALID_PARAMETER;
  }
  WorldLock lock;
  KeyRef ref;
  std::vector<std::string_view> parts;
  LONG rc = ResolvePath(hKey, lpSubKey, &ref, &parts);
  if (rc != ERROR_SUCCESS) return rc;
  std::shared_ptr<sigplat::reg::Key> key = ref.key;
  for (std::string_view part : parts) {
    key = key->FindSubkey(part);
    if (!key) return ERROR_FILE_NOT_FOUND;
  }
  *phkResult = sigplat::reg::OpenHandle(key, ref.hive, EffectiveAccess(samDesired), false);
  return ERROR_SUCCESS;
}

WINBASEAPI LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*Reserved*/,
                                       LPSTR /*lpClass*/, DWORD dwOptions, REGSAM samDesired,
                                       const SECURITY_ATTRIBUTES* /*lpSecurityAttributes*/,
                                       PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult) return ERROR_BADKEY;
  *phkResult = nullptr;
  if (dwOptions != REG_OPTION_NON_VOLATILE) {
    std::fprintf(stderr, "RegCreateKeyExA: options %#x are not supported; keys are non-volatile\n",
                 static_cast<unsigned>(dwOptions));
    return ERROR_NOT_SUPPORTED;
  }
  WorldLock lock;
  KeyRef ref;
  std::vector<std::string_view> parts;
  LONG rc = ResolvePath(hKey, lpSubKey, &ref, &parts);
  if (rc != ERROR_SUCCESS) return rc;
  for (std::string_view part : parts) {
    if (!IsStorableName(part, "key")) return ERROR_INVALID_PARAMETER;
  }
  std::shared_ptr<sigplat::reg::Key> key = ref.key;
  size_t existing = 0;
  while (existing < parts.size()) {
    std::shared_ptr<sigplat::reg::Key> next = key->FindSubkey(parts[existing]);
    if (!next) break;
    key = std::move(next);
    ++existing;
  }
  bool created = existing < parts.size();
  if (created && !ref.predefined && !(ref.access & KEY_CREATE_SUB_KEY)) {
    return ERROR_ACCESS_DENIED;
  }
  for (size_t i = existing; i < parts.size(); ++i) {
    bool isNew = false;
    key = key->CreateSubkey(parts[i], &isNew);
  }
  *phkResult = sigplat::reg::OpenHandle(key, ref.hive, EffectiveAccess(samDesired), created);
  if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

WINBASEAPI LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved,
                                        LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  WorldLock lock;
  KeyRef ref;
  LONG rc = sigplat::reg::ResolveHandle(hKey, &ref);
  if (rc != ERROR_SUCCESS) return rc;
  if (!(ref.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const sigplat::reg::Value* value = ref.key->FindValue(ValueName(lpValueName));
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (lpType) *lpType = value->type;
  const auto size = static_cast<DWORD>(value->data.size());
  if (lpData) {
    if (*lpcbData < size) {
      *lpcbData = size;
      return ERROR_MORE_DATA;
    }
    std::memcpy(lpData, value->data.data(), size);
  }
  if (lpcbData) *lpcbData = size;
  return ERROR_SUCCESS;
}

WINBASEAPI LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/,
                                      DWORD dwType, const BYTE* lpData, DWORD cbData) {
  WorldLock lock;
  KeyRef ref;
  LONG rc = sigplat::reg::ResolveHandle(hKey, &ref);
  if (rc != ERROR_SUCCESS) return rc;
  if (!(ref.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (!lpData && cbData != 0) return ERROR_NOACCESS;
  std::string_view name = ValueName(lpValueName);
  if (!IsStorableName(name, "value")) return ERROR_INVALID_PARAMETER;
  std::string data = lpData ? std::string(reinterpret_cast<const char*>(lpData), cbData) : "";
  ref.key->SetValue(name, dwType, std::move(data));
  sigplat::reg::NoteChange(ref);
  return ERROR_SUCCESS;
}

WINBASEAPI LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  WorldLock lock;
  KeyRef ref;
  LONG rc = sigplat::reg::ResolveHandle(hKey, &ref);
  if (rc != ERROR_SUCCESS) return rc;
  if (!(ref.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (!ref.key->DeleteValue(ValueName(lpValueName))) return ERROR_FILE_NOT_FOUND;
  sigplat::reg::NoteChange(ref);
  return ERROR_SUCCESS;
}

WINBASEAPI LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  WorldLock lock;
  KeyRef ref;
  std::vector<std::string_view> parts;
  LONG rc = ResolvePath(hKey, lpSubKey, &ref, &parts);
  if (rc != ERROR_SUCCESS) return rc;
  std::shared_ptr<sigplat::reg::Key> key = ref.key;
  for (std::string_view part : parts) {
    key = key->FindSubkey(part);
    if (!key) return ERROR_FILE_NOT_FOUND;
  }
  // An empty path deletes the handle's own key, which needs DELETE access to it.
  if (parts.empty() && !(ref.access & DELETE)) return ERROR_ACCESS_DENIED;
  // Hive roots cannot go, and RegDeleteKey never deletes a whole tree.
  if (!key->Parent() || !key->Subkeys().empty()) return ERROR_ACCESS_DENIED;
  key->Parent()->RemoveSubkey(key->Name());
  sigplat::reg::NoteChange(ref);
  return ERROR_SUCCESS;
}

WINBASEAPI LONG WINAPI RegCloseKey(HKEY hKey) {
  WorldLock lock;
  return sigplat::reg::CloseHandle(hKey);
}
