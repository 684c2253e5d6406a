// The simulated host's start and stop with the extension, in a prepared world
// (the installer's defaults and a user who has run it before): the main
// window, the load with its settings and trace set-up, the entry point, the
// viewer's Install with the version check, its interfaces, and the way back.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sstream>

#include "extension_driver.h"
#include "mailbox.h"
#include "host_report.h"
#include "host_world.h"
#include "scripted_user.h"
#include "sigplat/user_agent.h"
#include "stage_commands.h"

namespace {

void BM_StartStop(benchmark::State& state) {
  simhost::WorldOptions options;
  options.extensionFile = SIGIL32_PATH;
  options.uninstallerFile = UNINST_PATH;
  simhost::World world(options);
  simhost::installDefaults(world);
  std::ostringstream out;
  simhost::HostReport report(out, true);
  simhost::ScriptedUser user;
  sigplat::SetUserAgent(&user);
  simhost::Mailbox mailbox;
  simhost::ExtensionDriver host(world, report, mailbox);
  // The first run fills the user key; it is not what a user waits for daily.
  host.start();
  host.stop();
  for (auto _ : state) {
    host.start();
    host.stop();
  }
  sigplat::SetUserAgent(nullptr);
  if (!sigplat::Transcript().empty())
    state.SkipWithError("the host showed a message box or dialog");
}
BENCHMARK(BM_StartStop)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
