// The registry as the scenario commands see it: the product's two keys by
// name, values set, removed and read back, and a printout of the hives.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "scenario_commands.h"
#include "winapi.h"

namespace simhost {

// Where the product keeps its settings: the administrator's defaults and the
// user's own copy.
extern const char kMachineKey[];
extern const char kUserKey[];

// A registry command the world refused ("cannot set ...: error 5").
class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

HKEY rootKey(scenario::RegRoot root);

// The root and path a value command names.
struct KeyPath {
  HKEY root = nullptr;
  std::string path;
  std::string display;  // "HKCU\Software\..." for the transcript
};
KeyPath resolveKey(const scenario::ValueKey& key);

// Sets the value (None deletes it; a value or key already missing is no
// error). Throws HostError with the Windows error code otherwise.
void setValue(const KeyPath& key, const std::string& name, const scenario::RegData& data);
void deleteKey(HKEY root, const std::string& path);

// The value as stored: Dword, Sz, or None when the key or value is missing.
// A value of another type is described in *other (and None is returned).
scenario::RegData readValue(const KeyPath& key, const std::string& name, std::string* other);

// "dword 0x00000001 (1)", "sz \"...\"", "absent".
std::string describe(const scenario::RegData& data);

// Both hives as their files hold them, after writing pending changes.
std::string registryListing(const std::string& prefix);

}  // namespace simhost
