// What an installed Outlook leaves for the extension to find: the file
// version of "outllib.dll" beside the executable, and the mail editor the
// user chose, in Office's settings for that version.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "scenario_commands.h"

namespace simhost {

using FileVersion = std::array<std::uint16_t, 4>;

extern const char kHostExecutable[];  // the host's executable, a Windows path
extern const char kHostLibrary[];     // "outllib.dll" beside it

// A build each version accepts out of the box.
FileVersion defaultBuild(scenario::OutlookVersion version);
std::string versionName(scenario::OutlookVersion version);  // "Outlook 2000"
std::string versionText(const FileVersion& v);              // "9.0.0.2625"
std::string editorName(scenario::Editor editor);

// Writes "outllib.dll" with that version. Throws HostError.
void installHostLibrary(const FileVersion& version);

// Writes the editor choice where that version of Office keeps it. Throws
// HostError.
void writeEditorSetting(scenario::OutlookVersion version, scenario::Editor editor);

}  // namespace simhost
