#include "sim_cli.h"

#include <algorithm>

#include "command_availability.h"
#include "host_report.h"
#include "scenario_parser.h"
#include "scenario_runner.h"
#include "scenario_syntax.h"

namespace simhost {

namespace {

struct Options {
  bool calls = false;
  WorldOptions world;
  std::vector<std::string> files;
};

int usageError(std::ostream& err, const std::string& message) {
  err << "sigilon-sim: " << message << "\n" << usageText();
  return 2;
}

}  // namespace

std::string usageText() {
  return "Usage: sigilon-sim run [--calls] [--keep] [--prefix DIR] [--library DIR] FILE...\n"
         "       sigilon-sim --help\n"
         "\n"
         "Runs each scenario script against the extension inside the simulated mail client,\n"
         "in a fresh Windows world of its own, and prints what happened.\n"
         "  --calls        also print every call the host makes into the extension\n"
         "  --keep         keep the temporary prefix of each script (its path is printed)\n"
         "  --prefix DIR   use DIR as the prefix instead of a temporary one (kept)\n"
         "  --library DIR  take Sigil32.so and uninst.so from DIR instead of the build\n"
         "Exit status: 0 when every expectation held, 1 when one failed, 2 when a script\n"
         "is wrong (nothing runs when any script cannot be read or uses a command the\n"
         "host cannot carry out yet).\n";
}

int runCommandLine(const std::vector<std::string>& args, const BuiltLibraries& built,
                   std::ostream& out, std::ostream& err) {
  if (args.empty()) return usageError(err, "missing command");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << usageText() << "\n" << scenario::scenarioHelp();
    return 0;
  }
  if (args[0] != "run") return usageError(err, "unknown command '" + args[0] + "'");

  Options options;
  options.world.extensionFile = built.extension;
  options.world.uninstallerFile = built.uninstaller;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--calls") {
      options.calls = true;
    } else if (a == "--keep") {
      options.world.keep = true;
    } else if (a == "--prefix" || a == "--library") {
      if (i + 1 >= args.size()) return usageError(err, a + " needs a folder");
      const std::string& dir = args[++i];
      if (a == "--prefix") {
        options.world.prefix = dir;
      } else {
        options.world.extensionFile = dir + "/Sigil32.so";
        options.world.uninstallerFile = dir + "/uninst.so";
      }
    } else if (a.size() > 1 && a[0] == '-') {
      return usageError(err, "unknown option '" + a + "'");
    } else {
      options.files.push_back(a);
    }
  }
  if (options.files.empty()) return usageError(err, "run needs at least one FILE");

  std::vector<std::vector<scenario::Command>> scripts;
  bool wrong = false;
  for (const std::string& file : options.files) {
    try {
      scripts.push_back(scenario::loadScript(file));
      for (const std::string& e : unavailableCommands(scripts.back())) {
        err << e << "\n";
        wrong = true;
      }
    } catch (const scenario::ScriptError& e) {
      err << e.what() << "\n";
      wrong = true;
    }
  }
  if (wrong) return 2;

  HostReport report(out, options.calls);
  int status = 0;
  for (std::size_t i = 0; i < scripts.size(); ++i) {
    const RunStatus s = runScenario(options.files[i], scripts[i], options.world, report);
    status = std::max(status, static_cast<int>(s));
  }
  return status;
}

}  // namespace simhost
