// The Windows world of one scenario run: a prefix of its own, the host's
// executable and its version library, Office's editor setting, the host
// process's environment, and the product installed where the host loads it.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "outlook_install.h"
#include "scenario_commands.h"

namespace simhost {

struct WorldOptions {
  std::optional<std::string> prefix;  // none: a fresh temporary folder
  bool keep = false;                  // keep the temporary folder afterwards
  std::string extensionFile;          // the built Sigil32 and uninst shared objects
  std::string uninstallerFile;
};

// The deliverables as the installer places them.
extern const char kExtensionPath[];
extern const char kUninstallerPath[];

class World {
 public:
  // Sets the world up; throws HostError when it cannot.
  explicit World(const WorldOptions& options);
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  const std::string& prefix() const { return prefix_; }
  bool temporary() const { return temporary_; }

  scenario::OutlookVersion outlookVersion() const { return version_; }
  const FileVersion& build() const { return build_; }
  scenario::Editor editor() const { return editor_; }
  // The `outlook` and `editor` commands.
  void setOutlook(scenario::OutlookVersion version, const std::optional<FileVersion>& build);
  void setEditor(scenario::Editor editor);

  // The `env` command; the platform sees the change at once.
  void setEnv(const std::string& name, const std::optional<std::string>& value);
  std::optional<std::string> env(const std::string& name) const;

  // The POSIX path of a Windows path; throws HostError when it has none.
  std::string posixPath(const std::string& winPath) const;
  // Writes a file, creating its folders; throws HostError.
  void writeFile(const std::string& winPath, const std::string& text) const;
  // The content of a file, or none when there is no such file.
  std::optional<std::string> readFile(const std::string& winPath) const;

 private:
  void populate(const WorldOptions& options);
  void tearDown();
  void applyEnvironment() const;
  void installDeliverable(const std::string& built, const char* winPath) const;

  std::string prefix_;
  bool temporary_ = false;
  bool keep_ = false;
  scenario::OutlookVersion version_ = scenario::OutlookVersion::V2000;
  FileVersion build_ = defaultBuild(scenario::OutlookVersion::V2000);
  scenario::Editor editor_ = scenario::Editor::Rtf;
  std::vector<std::pair<std::string, std::string>> environment_;
};

}  // namespace simhost
