// The hive file: the text format regedit exports ("Windows Registry Editor
// Version 5.00"), read and written for one root key.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hive.h"

namespace sigplat::reg {

extern const char kRegFileHeader[];

// Applies a file's contents to *hive as an import does: sections create keys,
// "name"=- and [-path] delete. Lines that cannot be read are kept with the
// section they appear in (or the head) and reported in *diagnostics as
// "FILE:LINE: what", FILE being fileName. Accepts UTF-8 with or without a
// byte-order mark and UTF-16LE with one, lines ending in CR LF or LF.
void ParseRegFile(std::string_view bytes, const std::string& fileName, std::string_view rootName,
                  Hive* hive, std::vector<std::string>* diagnostics);

// The whole file for the hive: UTF-8, CR LF line ends, keys sorted without
// regard to case, every key written even when it holds no value.
std::string FormatRegFile(const Hive& hive, std::string_view rootName);

}  // namespace sigplat::reg
