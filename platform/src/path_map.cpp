// Windows paths to POSIX paths under the prefix, as Wine maps its drives.
// Windows looks names up without regard to case; a POSIX file system does not,
// so each component that exists is replaced by its name on disk.
#include "path_map.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "sigplat/world.h"
#include "win/error.h"

namespace sigplat::detail {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool Unsupported(const char* text, const char* what, DWORD code, DWORD* error) {
  std::fprintf(stderr,
               "sigplat: path \"%s\": %s are not supported, only drive paths (\"C:\\...\")\n", text,
               what);
  *error = code;
  return false;
}

bool HasInvalidCharacter(const std::string& component) {
  for (unsigned char c : component) {
    if (c < 32 || std::strchr("<>:\"|?*", c)) return true;
  }
  return false;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices in every folder, with any
// extension and any case.
bool IsReservedDeviceName(const std::string& component) {
  std::string stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

bool IsDirectory(const std::string& posixPath) {
  struct stat st {};
  return stat(posixPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of dir whose name equals component without regard to case: the
// exact spelling when it exists, else the first of the others in byte order so
// that the choice does not depend on directory order.
bool FindOnDisk(const std::string& dir, const std::string& component, std::string* found) {
  struct stat st {};
  if (lstat((dir + "/" + component).c_str(), &st) == 0) {
    *found = component;
    return true;
  }
  DIR* d = opendir(dir.c_str());
  if (!d) return false;
  bool any = false;
  while (const dirent* entry = readdir(d)) {
    std::string name = entry->d_name;
    if (EqualsIgnoreCase(name, component) && (!any || name < *found)) {
      *found = name;
      any = true;
    }
  }
  closedir(d);
  return any;
}

}  // namespace

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool ParseWindowsPath(const char* text, WindowsPath* out, DWORD* error) {
  if (!text || !*text) {
    *error = ERROR_PATH_NOT_FOUND;
    return false;
  }
  if (std::strlen(text) >= MAX_PATH) {
    *error = ERROR_FILENAME_EXCED_RANGE;
    return false;
  }
  if (IsSeparator(text[0]) && IsSeparator(text[1])) {
    if ((text[2] == '.' || text[2] == '?') && (IsSeparator(text[3]) || !text[3]))
      return Unsupported(text, "device paths (\\\\.\\, \\\\?\\)", ERROR_BAD_PATHNAME, error);
    return Unsupported(text, "UNC paths (\\\\server\\share)", ERROR_BAD_NETPATH, error);
  }
  if (IsSeparator(text[0]))
    return Unsupported(text, "paths relative to the current drive", ERROR_BAD_PATHNAME, error);
  if (!std::isalpha(static_cast<unsigned char>(text[0])) || text[1] != ':')
    return Unsupported(text, "relative paths", ERROR_BAD_PATHNAME, error);
  if (!IsSeparator(text[2]))
    return Unsupported(text, "drive-relative paths (\"C:file\")", ERROR_BAD_PATHNAME, error);

  WindowsPath path;
  path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  const char* p = text + 3;
  while (*p) {
    while (IsSeparator(*p)) ++p;
    const char* end = p;
    while (*end && !IsSeparator(*end)) ++end;
    std::string component(p, end);
    p = end;
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      // Windows stops at the drive's root rather than failing.
      if (!path.components.empty()) path.components.pop_back();
      continue;
    }
    if (HasInvalidCharacter(component)) {
      *error = ERROR_INVALID_NAME;
      return false;
    }
    while (!component.empty() && (component.back() == '.' || component.back() == ' '))
      component.pop_back();
    if (component.empty()) continue;
    if (IsReservedDeviceName(component))
      return Unsupported(text, "device names (CON, NUL, COM1, ...)", ERROR_INVALID_NAME, error);
    path.components.push_back(component);
  }
  *out = std::move(path);
  return true;
}

std::string FormatWindowsPath(const WindowsPath& path) {
  std::string text(1, path.drive);
  text += ":\\";
  for (size_t i = 0; i < path.components.size(); ++i) {
    if (i) text += '\\';
    text += path.components[i];
  }
  return text;
}

std::string ResolvePosixPath(const WindowsPath& path) {
  std::string posix = GetPrefix() + "/drive_";
  posix += static_cast<char>(std::tolower(static_cast<unsigned char>(path.drive)));
  bool lookUp = true;
  for (const std::string& component : path.components) {
    std::string onDisk = component;
    if (lookUp) lookUp = IsDirectory(posix) && FindOnDisk(posix, component, &onDisk);
    posix += '/';
    posix += onDisk;
  }
  return posix;
}

std::string WindowsDirName(const std::string& winPath) {
  size_t cut = winPath.find_last_of("\\/");
  if (cut == std::string::npos) return std::string();
  return winPath.substr(0, cut == 2 ? 3 : cut);
}

std::string WindowsBaseName(const std::string& winPath) {
  size_t cut = winPath.find_last_of("\\/");
  return cut == std::string::npos ? winPath : winPath.substr(cut + 1);
}

}  // namespace sigplat::detail

namespace sigplat {

bool MapWindowsPath(const char* winPath, std::string* posixPath, DWORD* error) {
  DWORD ignored = 0;
  detail::WindowsPath parsed;
  if (!detail::ParseWindowsPath(winPath, &parsed, error ? error : &ignored)) return false;
  *posixPath = detail::ResolvePosixPath(parsed);
  return true;
}

}  // namespace sigplat
