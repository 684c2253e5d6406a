#include "system_messages.h"

#include "win/error.h"

namespace sigplat {
namespace {

struct SystemMessage {
  DWORD id;
  const char* text;
};

constexpr SystemMessage kSystemMessages[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_FUNCTION, "Incorrect function."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough storage is available to process this command."},
    {ERROR_BAD_FORMAT, "An attempt was made to load a program with an incorrect format."},
    {ERROR_INVALID_DATA, "The data is invalid."},
    {ERROR_OUTOFMEMORY, "Not enough storage is available to complete this operation."},
    {ERROR_INVALID_DRIVE, "The system cannot find the drive specified."},
    {ERROR_NOT_SUPPORTED, "The request is not supported."},
    {ERROR_FILE_EXISTS, "The file exists."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_OPEN_FAILED, "The system cannot open the device or file specified."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty."},
    {ERROR_BAD_PATHNAME, "The specified path is invalid."},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists."},
    {ERROR_BAD_EXE_FORMAT, "%1 is not a valid Win32 application."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {ERROR_MORE_DATA, "More data is available."},
    {ERROR_NO_MORE_ITEMS, "No more data is available."},
    {ERROR_MR_MID_NOT_FOUND,
     "The system cannot find message text for message number 0x%1 in the message file for %2."},
    {ERROR_NOACCESS, "Invalid access to memory location."},
    {ERROR_BADDB, "The configuration registry database is corrupt."},
    {ERROR_BADKEY, "The configuration registry key is invalid."},
    {ERROR_CANTOPEN, "The configuration registry key could not be opened."},
    {ERROR_CANTREAD, "The configuration registry key could not be read."},
    {ERROR_CANTWRITE, "The configuration registry key could not be written."},
    {ERROR_REGISTRY_CORRUPT,
     "The registry is corrupted. The structure of one of the files containing registry data is "
     "corrupted, or the system's memory image of the file is corrupted, or the file could not be "
     "recovered because the alternate copy or log was absent or corrupted."},
    {ERROR_KEY_DELETED,
     "Illegal operation attempted on a registry key that has been marked for deletion."},
    {ERROR_DLL_INIT_FAILED, "A dynamic link library (DLL) initialization routine failed."},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle."},
    {ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class."},
    {ERROR_CLASS_ALREADY_EXISTS, "Class already exists."},
    {ERROR_CLASS_DOES_NOT_EXIST, "Class does not exist."},
    {ERROR_RESOURCE_DATA_NOT_FOUND, "The specified image file did not contain a resource section."},
    {ERROR_RESOURCE_TYPE_NOT_FOUND,
     "The specified resource type cannot be found in the image file."},
    {ERROR_RESOURCE_NAME_NOT_FOUND,
     "The specified resource name cannot be found in the image file."},
    {ERROR_RESOURCE_LANG_NOT_FOUND,
     "The specified resource language ID cannot be found in the image file."},
    {static_cast<DWORD>(E_NOTIMPL), "Not implemented"},
    {static_cast<DWORD>(E_NOINTERFACE), "No such interface supported"},
    {static_cast<DWORD>(E_POINTER), "Invalid pointer"},
    {static_cast<DWORD>(E_ABORT), "Operation aborted"},
    {static_cast<DWORD>(E_FAIL), "Unspecified error"},
    {static_cast<DWORD>(E_PENDING),
     "The data necessary to complete this operation is not yet available."},
    {static_cast<DWORD>(E_UNEXPECTED), "Catastrophic failure"},
};

// HRESULT_FROM_WIN32 puts a Win32 code under this facility.
constexpr DWORD kWin32Facility = 0x80070000u;

}  // namespace

const char* SystemMessageText(DWORD id) {
  if ((id & 0xFFFF0000u) == kWin32Facility) id &= 0xFFFFu;
  for (const SystemMessage& message : kSystemMessages) {
    if (message.id == id) return message.text;
  }
  return nullptr;
}

}  // namespace sigplat
