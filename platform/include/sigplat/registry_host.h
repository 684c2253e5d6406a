// The host's side of the registry: persistence control and diagnostics.
#pragma once

#include <string>
#include <vector>

#include "win/base.h"

namespace sigplat {

// Writes every hive that has unsaved changes, as happens at unload.
SIGPLAT_API void FlushRegistry();
// Forgets the hives held in memory (unsaved changes included), so that the
// next access reads the files again.
SIGPLAT_API void ReloadRegistry();
// For tests of durability: while on, a hive save stops after writing and
// flushing its temporary file, before the rename, as a crash there would.
SIGPLAT_API void SimulateCrashBeforeRename(bool on);
// Problems found in the hive files now loaded, each "FILE:LINE: what", in the
// order found (reading the hives again, after ReloadRegistry or a change of
// prefix, starts the list afresh). Each is also written to standard error.
SIGPLAT_API std::vector<std::string> RegistryDiagnostics();

}  // namespace sigplat
