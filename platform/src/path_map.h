// Windows paths as the platform's units use them: parsed into a drive and
// normalised components, then resolved under the prefix.
#pragma once

#include <string>
#include <vector>

#include "win/base.h"

namespace sigplat::detail {

struct WindowsPath {
  char drive = 'C';                     // upper case
  std::vector<std::string> components;  // no ".", "..", empty or trailing dots/spaces
};

// Parses an absolute drive path. On failure sets *error to the Win32 code and,
// for forms Windows accepts but this platform does not, writes one line to
// standard error.
bool ParseWindowsPath(const char* text, WindowsPath* out, DWORD* error);

// "C:\\dir\\file", the form Windows reports a normalised path in.
std::string FormatWindowsPath(const WindowsPath& path);

// The POSIX path under the prefix, each existing component spelled as on disk.
std::string ResolvePosixPath(const WindowsPath& path);

// The folder part and the last component of a path ("C:\\a\\b" -> "C:\\a", "b").
std::string WindowsDirName(const std::string& winPath);
std::string WindowsBaseName(const std::string& winPath);

// ASCII case-insensitive comparison, the way Windows compares file names.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

}  // namespace sigplat::detail
