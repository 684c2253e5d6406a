// Translation between POSIX errno values and Win32 error codes for the file
// functions.
#pragma once

#include <string>

#include "win/base.h"

namespace sigplat::detail {

// ENOENT becomes ERROR_FILE_NOT_FOUND when the folder of posixPath exists,
// else ERROR_PATH_NOT_FOUND, as Windows tells the two apart.
DWORD Win32FromErrno(int err, const std::string& posixPath);

// The errno the C run-time of Windows sets for a Win32 error.
int ErrnoFromWin32(DWORD error);

}  // namespace sigplat::detail
