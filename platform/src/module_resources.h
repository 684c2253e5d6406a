// The resources of each module, found in the ".sigrsrc" section of its file,
// read and parsed at the first request and kept until the module goes.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "resource_archive.h"
#include "sigplat/resource_script.h"

namespace sigplat::detail {

struct ModuleResources {
  ResourceArchive archive;
  ResourceScript script;
  std::map<int, HICON> sharedIcons;  // LoadIconA's, destroyed with the module
};

// The resources of a module (null: the executable), or null with the last
// error set: ERROR_MOD_NOT_FOUND for a handle that is no module,
// ERROR_RESOURCE_DATA_NOT_FOUND for a module without resources, and
// ERROR_INVALID_DATA, reported on standard error under api's name, for a
// module whose resources are damaged.
std::shared_ptr<ModuleResources> ResourcesOf(HINSTANCE module, const char* api);

// A resource name as a number: MAKEINTRESOURCE(n) or "#n". False, reported
// and with the last error set, for a named resource, which the platform does
// not support.
bool ResourceNumber(LPCSTR name, const char* api, int* id);

}  // namespace sigplat::detail
