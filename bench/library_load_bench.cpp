// The extension's load as the host sees it: LoadLibraryA (process attach:
// settings check and load, DMS detection, trace set-up) then FreeLibrary.
// A first run also fills the user key and writes the user hive durably.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sigplat/registry_host.h"
#include "sigplat/world.h"
#include "winapi.h"

namespace {

const char kLibrary[] = "C:\\Program Files\\Sigilon\\Sigil32.dll";
const char kMachineKey[] = "SOFTWARE\\Quillfen Software\\Sigilon for Outlook\\8.6";

class World {
 public:
  World() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sigilon-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    prefix_ = pattern;
    sigplat::SetPrefix(prefix_);
    sigplat::SetEnvironment({{"TEMP", "C:\\Windows\\Temp"}});
    std::string target;
    DWORD error = 0;
    sigplat::MapWindowsPath(kLibrary, &target, &error);
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    std::filesystem::create_symlink(std::filesystem::absolute(SIGIL32_PATH), target);
    HKEY h = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMachineKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                    nullptr);
    const char path[] = "C:\\Sigilon";
    const char prefix[] = "Classification:";
    const DWORD one = 1;
    RegSetValueExA(h, "DefaultPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    RegSetValueExA(h, "MatchString", 0, REG_SZ, reinterpret_cast<const BYTE*>(prefix),
                   sizeof prefix);
    RegSetValueExA(h, "InsertSpace", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
    RegCloseKey(h);
  }
  ~World() {
    sigplat::ReloadRegistry();
    std::filesystem::remove_all(prefix_);
  }
  // Back to a user who never ran the extension.
  void ForgetUser() {
    sigplat::FlushRegistry();
    std::filesystem::remove(prefix_ + "/user.reg");
    sigplat::ReloadRegistry();
  }

 private:
  std::string prefix_;
};

void LoadAndUnload() {
  HMODULE module = LoadLibraryA(kLibrary);
  if (!module) std::abort();
  FreeLibrary(module);
}

void BM_FirstRunLoad(benchmark::State& state) {
  World world;
  for (auto _ : state) {
    state.PauseTiming();
    world.ForgetUser();
    state.ResumeTiming();
    LoadAndUnload();
  }
}
BENCHMARK(BM_FirstRunLoad)->Unit(benchmark::kMicrosecond);

void BM_LaterRunLoad(benchmark::State& state) {
  World world;
  LoadAndUnload();  // the first run, outside the measurement
  for (auto _ : state) LoadAndUnload();
}
BENCHMARK(BM_LaterRunLoad)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
