// A module's resource script as the platform reads it: the subset of the
// resource-script language the system's resources are written in. Hosts and
// tests use this header; the system's code reaches its resources through
// LoadStringA, LoadImageA and DialogBoxParamA.
#pragma once

#include <map>
#include <string>

#include "sigplat/dialog_template.h"
#include "winapi.h"

namespace sigplat {

struct ResourceScript {
  std::map<int, DialogTemplate> dialogs;   // DIALOG and DIALOGEX, by id
  std::map<UINT, std::string> strings;     // STRINGTABLE, by id
  std::map<int, std::string> bitmapFiles;  // BITMAP, the file as the script names it
  std::map<int, std::string> iconFiles;    // ICON, likewise
};

// Parses a whole script. fileName only names the script in messages. On
// failure returns false with one message, "name.rc:LINE: what is wrong", in
// *error, and leaves *script unspecified.
SIGPLAT_API bool ParseResourceScript(const std::string& text, const std::string& fileName,
                                    ResourceScript* script, std::string* error);

}  // namespace sigplat
