// Where the Windows world lives on this machine. The default is resolved once,
// before anything replaces the process environment that names it.
#include "prefix.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "sigplat/world.h"

namespace sigplat::detail {
namespace {

struct PrefixState {
  std::mutex lock;
  std::string dir;  // empty until first use or SetPrefix
  bool created = false;
  unsigned long generation = 0;
};

PrefixState& State() {
  static PrefixState* state = new PrefixState;
  return *state;
}

std::string DefaultPrefix() {
  if (const char* env = std::getenv("SIGILON_PREFIX"); env && *env) return env;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* pw = getpwuid(getuid());
    home = pw ? pw->pw_dir : "/tmp";
  }
  return std::string(home) + "/.sigilon";
}

void EnsureCreated(PrefixState& s) {
  if (s.created) return;
  if (!MakeDirectories(s.dir) || !MakeDirectories(s.dir + "/drive_c")) {
    std::fprintf(stderr, "sigplat: cannot create the prefix %s: %s\n", s.dir.c_str(),
                 std::strerror(errno));
    return;
  }
  s.created = true;
}

}  // namespace

unsigned long PrefixGeneration() {
  PrefixState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.generation;
}

bool MakeDirectories(const std::string& posixDir) {
  std::string partial;
  size_t pos = 0;
  while (pos <= posixDir.size()) {
    size_t next = posixDir.find('/', pos);
    if (next == std::string::npos) next = posixDir.size();
    partial = posixDir.substr(0, next);
    if (!partial.empty() && mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) return false;
    pos = next + 1;
  }
  struct stat st {};
  return stat(posixDir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace sigplat::detail

namespace sigplat {

void SetPrefix(const std::string& posixDir) {
  detail::PrefixState& s = detail::State();
  std::lock_guard<std::mutex> guard(s.lock);
  s.dir = posixDir;
  while (s.dir.size() > 1 && s.dir.back() == '/') s.dir.pop_back();
  s.created = false;
  ++s.generation;
  detail::EnsureCreated(s);
}

std::string GetPrefix() {
  detail::PrefixState& s = detail::State();
  std::lock_guard<std::mutex> guard(s.lock);
  if (s.dir.empty()) s.dir = detail::DefaultPrefix();
  detail::EnsureCreated(s);
  return s.dir;
}

}  // namespace sigplat
