#include "host_world.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host_registry.h"
#include "sigplat/clock.h"
#include "sigplat/registry_host.h"
#include "sigplat/user_agent.h"
#include "sigplat/world.h"

namespace simhost {

namespace fs = std::filesystem;

const char kExtensionPath[] = "C:\\Program Files\\Sigilon\\Sigil32.dll";
const char kUninstallerPath[] = "C:\\Program Files\\Sigilon\\uninst.dll";

namespace {

const char kTempFolder[] = "C:\\Windows\\Temp";

std::string makeTemporaryPrefix() {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string pattern = (base / "sigilon-sim-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw HostError("cannot create a temporary prefix in " + base.string());
  return pattern;
}

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

World::World(const WorldOptions& options) : keep_(options.keep) {
  if (options.prefix) {
    prefix_ = fs::absolute(*options.prefix).string();
    std::error_code ec;
    fs::create_directories(prefix_, ec);
    if (ec) throw HostError("cannot create the prefix " + prefix_ + ": " + ec.message());
  } else {
    prefix_ = makeTemporaryPrefix();
    temporary_ = true;
  }
  try {
    populate(options);
  } catch (...) {
    // No destructor runs for a world that failed to come up.
    tearDown();
    throw;
  }
}

void World::populate(const WorldOptions& options) {
  sigplat::SetPrefix(prefix_);
  // A machine as fresh as its prefix: no timers or messages of an earlier
  // script, no modules it loaded, nothing it showed.
  sigplat::ResetClockForTests();
  sigplat::ClearProcessModules();
  sigplat::ClearTranscript();

  fs::create_directories(posixPath(kTempFolder));
  environment_ = {{"TEMP", kTempFolder}};
  applyEnvironment();

  sigplat::SetExecutablePath(kHostExecutable);
  fs::create_directories(fs::path(posixPath(kHostExecutable)).parent_path());
  installHostLibrary(build_);
  writeEditorSetting(version_, editor_);

  installDeliverable(options.extensionFile, kExtensionPath);
  installDeliverable(options.uninstallerFile, kUninstallerPath);
}

World::~World() { tearDown(); }

void World::tearDown() {
  // The hives of this prefix are not to follow the host into the next one.
  sigplat::FlushRegistry();
  sigplat::ReloadRegistry();
  if (temporary_ && !keep_) {
    std::error_code ec;
    fs::remove_all(prefix_, ec);
  }
}

void World::setOutlook(scenario::OutlookVersion version, const std::optional<FileVersion>& build) {
  version_ = version;
  build_ = build.value_or(defaultBuild(version));
  installHostLibrary(build_);
  writeEditorSetting(version_, editor_);
}

void World::setEditor(scenario::Editor editor) {
  editor_ = editor;
  writeEditorSetting(version_, editor_);
}

void World::setEnv(const std::string& name, const std::optional<std::string>& value) {
  // Windows keeps one variable per name whatever its case.
  for (auto it = environment_.begin(); it != environment_.end(); ++it) {
    if (sameName(it->first, name)) {
      environment_.erase(it);
      break;
    }
  }
  if (value) environment_.emplace_back(name, *value);
  applyEnvironment();
}

std::optional<std::string> World::env(const std::string& name) const {
  for (const auto& [n, v] : environment_)
    if (sameName(n, name)) return v;
  return std::nullopt;
}

std::string World::posixPath(const std::string& winPath) const {
  std::string path;
  DWORD error = 0;
  if (!sigplat::MapWindowsPath(winPath.c_str(), &path, &error))
    throw HostError("the path " + winPath + " is not a Windows path the platform can map "
                    "(Windows error " + std::to_string(error) + ")");
  return path;
}

void World::writeFile(const std::string& winPath, const std::string& text) const {
  const fs::path path = posixPath(winPath);
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec) throw HostError("cannot create the folder of " + winPath + ": " + ec.message());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw HostError("cannot write " + winPath);
}

std::optional<std::string> World::readFile(const std::string& winPath) const {
  std::ifstream in(posixPath(winPath), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void World::applyEnvironment() const { sigplat::SetEnvironment(environment_); }

void World::installDeliverable(const std::string& built, const char* winPath) const {
  const fs::path target = posixPath(winPath);
  std::error_code ec;
  if (!fs::exists(built, ec))
    throw HostError("the built library " + built + " does not exist (build it, or give --library)");
  fs::create_directories(target.parent_path(), ec);
  fs::remove(target, ec);
  fs::create_symlink(fs::absolute(built), target, ec);
  if (ec) throw HostError("cannot install " + built + " as " + winPath + ": " + ec.message());
}

}  // namespace simhost
