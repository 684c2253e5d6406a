// One named section of an ELF file, read from the file on disk: where a
// module's embedded resources live.
#pragma once

#include <string>

namespace sigplat::detail {

enum class SectionRead { kFound, kAbsent, kUnreadable };

// kUnreadable leaves a reason in *error (no such file, not ELF, damaged).
SectionRead ReadElfSection(const std::string& posixPath, const std::string& name,
                           std::string* contents, std::string* error);

}  // namespace sigplat::detail
