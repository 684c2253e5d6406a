// The command line of sigilon-sim: `run [--calls] [--keep] [--prefix DIR]
// [--library DIR] FILE...` and `--help`.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace simhost {

// Where the built deliverables are unless --library says otherwise.
struct BuiltLibraries {
  std::string extension;    // the Sigil32 shared object
  std::string uninstaller;  // the uninst shared object
};

// Runs sigilon-sim with ARGS (without the program name); returns its exit
// status: 0 every expectation held, 1 one failed, 2 a script or the command
// line is wrong. Every script is read and checked before any runs.
int runCommandLine(const std::vector<std::string>& args, const BuiltLibraries& built,
                   std::ostream& out, std::ostream& err);

std::string usageText();

}  // namespace simhost
