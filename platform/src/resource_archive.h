// The bundle the build embeds in a module's ".sigrsrc" section: the resource
// script and every file it names, in one byte array. Layout, all numbers
// 32-bit little-endian:
//
//   "SIGRSRC1"                    magic, 8 bytes
//   total                         bytes of the whole archive, magic included
//   count                         number of entries
//   count times:
//     nameLength, name            the entry's name: the script's file name for
//                                 the first entry, then each file exactly as
//                                 the script spells it ("images\\seal.bmp")
//     dataLength, data            the file's bytes
//
// The section may be padded after the archive; total says where it ends.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sigplat::detail {

struct ResourceArchive {
  std::string scriptName;
  std::string script;
  std::vector<std::pair<std::string, std::string>> files;  // name, contents

  const std::string* FindFile(const std::string& name) const;
};

// False with a reason in *error for a damaged archive.
bool ReadResourceArchive(const std::string& bytes, ResourceArchive* archive, std::string* error);

}  // namespace sigplat::detail
