#include "win_errno.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "win/error.h"

namespace sigplat::detail {

DWORD Win32FromErrno(int err, const std::string& posixPath) {
  switch (err) {
    case ENOENT: {
      struct stat st {};
      std::string dir = posixPath.substr(0, posixPath.find_last_of('/'));
      bool folderExists = stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      return folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      std::fprintf(stderr, "sigplat: %s: unexpected system error %s\n", posixPath.c_str(),
                   std::strerror(err));
      return ERROR_GEN_FAILURE;
  }
}

int ErrnoFromWin32(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_DISK_FULL:
      return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
      return ENOMEM;
    default:
      return EINVAL;
  }
}

}  // namespace sigplat::detail
