#include "hive_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sigplat::reg {
namespace {

std::string Describe(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

std::string Folder(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool MakeFolders(const std::string& dir) {
  struct stat st;
  if (dir.empty() || stat(dir.c_str(), &st) == 0) return true;
  size_t slash = dir.rfind('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(dir.substr(0, slash))) return false;
  return mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The rename itself is durable only once the folder's entry is on disk.
void SyncFolder(const std::string& dir) {
  int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool ReadHiveFile(const std::string& path, std::string* bytes, std::string* error) {
  bytes->clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return true;
    *error = Describe("cannot open", path);
    return false;
  }
  char buffer[65536];
  while (true) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = Describe("cannot read", path);
      close(fd);
      return false;
    }
    if (n == 0) break;
    bytes->append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return true;
}

bool WriteHiveFileAtomically(const std::string& path, const std::string& bytes,
                             bool stopBeforeRename, std::string* error) {
  const std::string dir = Folder(path);
  if (!MakeFolders(dir)) {
    *error = Describe("cannot create folder", dir);
    return false;
  }
  const std::string temp = path + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    *error = Describe("cannot create", temp);
    return false;
  }
  if (!WriteAll(fd, bytes) || fsync(fd) != 0) {
    *error = Describe("cannot write", temp);
    close(fd);
    unlink(temp.c_str());
    return false;
  }
  if (close(fd) != 0) {
    *error = Describe("cannot close", temp);
    unlink(temp.c_str());
    return false;
  }
  if (stopBeforeRename) return true;
  if (rename(temp.c_str(), path.c_str()) != 0) {
    *error = Describe("cannot rename over", path);
    unlink(temp.c_str());
    return false;
  }
  SyncFolder(dir);
  return true;
}

bool RemoveStaleTemporary(const std::string& path) {
  const std::string temp = path + ".tmp";
  return unlink(temp.c_str()) == 0;
}

}  // namespace sigplat::reg
