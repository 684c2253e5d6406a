// Reading and atomically replacing hive files on disk.
#pragma once

#include <string>

namespace sigplat::reg {

// Reads the whole file. A missing file reads as empty; false (with *error)
// only when the file exists but cannot be read.
bool ReadHiveFile(const std::string& path, std::string* bytes, std::string* error);

// Writes path + ".tmp" in the same folder, flushes it to the disk and renames
// it over path, so that the file is either the old or the new hive, never a
// mix. With stopBeforeRename the temporary file is left behind as a crash
// there would leave it. Creates the folder when it is missing.
bool WriteHiveFileAtomically(const std::string& path, const std::string& bytes,
                             bool stopBeforeRename, std::string* error);

// Removes a temporary file a crashed save left; true when there was one.
bool RemoveStaleTemporary(const std::string& path);

}  // namespace sigplat::reg
