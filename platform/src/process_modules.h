// The module list of the process, as PSAPI and tool help report it.
#pragma once

#include <vector>

#include "module_registry.h"

namespace sigplat::detail {

struct ProcessModule {
  ModuleRecord* record;
  BYTE* base;  // where the image is mapped; null for modules without code
  DWORD size;  // bytes mapped from base
};

// In this order: the host executable, kernel32.dll, the modules loaded through
// LoadLibraryA (in load order), the names added by AddProcessModule, then the
// real shared objects of the process other than those already listed. Caller
// holds the loader lock.
std::vector<ProcessModule> ListProcessModules();

}  // namespace sigplat::detail
