// sigilon-sim: runs scenario scripts against the extension in the simulated
// mail client.
#include <iostream>
#include <string>
#include <vector>

#include "sim_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return simhost::runCommandLine(args, {SIGIL32_PATH, UNINST_PATH}, std::cout, std::cerr);
}
