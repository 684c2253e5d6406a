// The extension's load as the host sees it: LoadLibraryA (process attach:
// settings check and load, DMS detection, trace set-up) then FreeLibrary.
// A first run also fills the user key and writes the user hive durably.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/bench_world.h"

namespace {

const char kLibrary[] = "C:\\Program Files\\Sigilon\\Sigil32.dll";

class LoadWorld : public BenchWorld {
 public:
  LoadWorld() {
    std::filesystem::create_symlink(std::filesystem::absolute(SIGIL32_PATH), Place(kLibrary));
    SetString(HKEY_LOCAL_MACHINE, kBenchMachineKey, "DefaultPath", "C:\\Sigilon");
    SetString(HKEY_LOCAL_MACHINE, kBenchMachineKey, "MatchString", "Classification:");
    SetDword(HKEY_LOCAL_MACHINE, kBenchMachineKey, "InsertSpace", 1);
  }
  // Back to a user who never ran the extension.
  void ForgetUser() {
    sigplat::FlushRegistry();
    std::filesystem::remove(prefix() + "/user.reg");
    sigplat::ReloadRegistry();
  }
};

void LoadAndUnload() {
  HMODULE module = LoadLibraryA(kLibrary);
  if (!module) std::abort();
  FreeLibrary(module);
}

void BM_FirstRunLoad(benchmark::State& state) {
  LoadWorld world;
  for (auto _ : state) {
    state.PauseTiming();
    world.ForgetUser();
    state.ResumeTiming();
    LoadAndUnload();
  }
}
BENCHMARK(BM_FirstRunLoad)->Unit(benchmark::kMicrosecond);

void BM_LaterRunLoad(benchmark::State& state) {
  LoadWorld world;
  LoadAndUnload();  // the first run, outside the measurement
  for (auto _ : state) LoadAndUnload();
}
BENCHMARK(BM_LaterRunLoad)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
