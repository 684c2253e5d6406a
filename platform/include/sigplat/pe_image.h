// The host's side of file version information: images with a version
// resource, written the way a real build of the host's libraries carries one,
// so that GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA read
// them exactly as they read any PE file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "win/base.h"

namespace sigplat {

// Writes a resource-only 32-bit DLL (PE32, i386) at winPath, creating missing
// folders. Its one resource is a version resource in US English: file and
// product version a.b.c.d, and the strings of a library of the host product
// (FileDescription as given, FileVersion and ProductVersion "a.b.c.d",
// ProductName "Microsoft Outlook", OriginalFilename the file's own name, ...).
// The description is ANSI text. False, with *error set to a Win32 code, when
// the path cannot be mapped or written or the text does not fit a version
// block.
SIGPLAT_API bool WriteVersionedImage(const char* winPath, WORD a, WORD b, WORD c, WORD d,
                                    const std::string& fileDescription, DWORD* error);

// The parts of the above, for tests and the fuzzer.

// The VS_VERSIONINFO block WriteVersionedImage stores; false when the strings
// make it larger than a version block can be (64 KB).
SIGPLAT_API bool BuildVersionBlock(const WORD version[4], const std::string& fileDescription,
                                  const std::string& originalFilename, std::vector<BYTE>* block);

// A resource-only DLL whose one resource (RT_VERSION, id 1, language 0x0409)
// holds exactly the given bytes: PE32 for i386, or PE32+ for x64.
SIGPLAT_API void BuildVersionImage(const std::vector<BYTE>& versionResource, bool pe32Plus,
                                  std::vector<BYTE>* image);

// GetFileVersionInfoSizeA and GetFileVersionInfoA over an image held in
// memory: the same results, with the error code in *error instead of the
// thread's last error.
SIGPLAT_API DWORD ImageVersionInfoSize(const BYTE* image, size_t size, DWORD* error);
SIGPLAT_API bool ImageVersionInfo(const BYTE* image, size_t size, DWORD len, void* data,
                                 DWORD* error);

}  // namespace sigplat
