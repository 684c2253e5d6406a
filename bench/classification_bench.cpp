// The rules' scans against the cost of reading their input once: a check of a
// classification against the list, the body scan, the colour lookup. Each
// should cost little more than a plain buffered read of the same file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/bench_world.h"
#include "extension/message_state.h"
#include "rules/classification_list.h"
#include "rules/colour_map.h"
#include "rules/settings_store.h"

namespace {

class RulesWorld : public BenchWorld {
 public:
  RulesWorld() {
    SetString(HKEY_CURRENT_USER, kBenchUserKey, "ClassificationPath", "C:\\Sigilon");
    std::snprintf(szCLASSIFICATION, sizeof szCLASSIFICATION, "CLASSIFICATION:");
    nClassMatchLength = 15;
    bAUTODIN = FALSE;
  }
};

std::string ListOf(int entries) {
  std::string list;
  for (int i = 0; i < entries; ++i) list += "CLASSIFICATION LEVEL " + std::to_string(i) + "\r\n";
  return list;
}

// The baseline: the same file read once through the C library's buffering.
void ReadWhole(const char* winPath) {
  std::FILE* f = WinFOpen(winPath, "r");
  char line[200];
  while (std::fgets(line, sizeof line, f)) benchmark::DoNotOptimize(line);
  std::fclose(f);
}

void BM_VerifyClassification(benchmark::State& state) {
  RulesWorld world;
  const int entries = static_cast<int>(state.range(0));
  world.WriteFile("C:\\Sigilon\\SIGILON.TXT", ListOf(entries));
  const std::string last = "classification level " + std::to_string(entries - 1);
  for (auto _ : state) benchmark::DoNotOptimize(VerifyClassification(last.c_str()));
}
BENCHMARK(BM_VerifyClassification)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ReadList(benchmark::State& state) {
  RulesWorld world;
  world.WriteFile("C:\\Sigilon\\SIGILON.TXT", ListOf(static_cast<int>(state.range(0))));
  for (auto _ : state) ReadWhole("C:\\Sigilon\\SIGILON.TXT");
}
BENCHMARK(BM_ReadList)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

std::string BodyOf(size_t size) {
  std::string body = "Dear all,\r\n";
  while (body.size() < size - 40) body += "the quick brown fox jumps over the lazy dog\r\n";
  body.resize(size - 40);
  return body + "\r\nClassification: SECRET\r\n";
}

void BM_FindBodyClass(benchmark::State& state) {
  RulesWorld world;
  const std::string body = BodyOf(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FindBodyClass(body.c_str()));
}
BENCHMARK(BM_FindBodyClass)->Arg(2000)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

void BM_ReadBody(benchmark::State& state) {
  RulesWorld world;
  world.WriteFile("C:\\Sigilon\\BODY.TXT", BodyOf(static_cast<size_t>(state.range(0))));
  for (auto _ : state) ReadWhole("C:\\Sigilon\\BODY.TXT");
}
BENCHMARK(BM_ReadBody)->Arg(2000)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

std::string MapOf(int lines) {
  std::string map = "; site colours\r\n";
  for (int i = 0; i < lines - 2; ++i) map += "10:20:30:KEYWORD " + std::to_string(i) + "\r\n";
  return map + "FF:00:00:SECRET\r\n";
}

void BM_CheckColourMap(benchmark::State& state) {
  RulesWorld world;
  world.WriteFile("C:\\Sigilon\\SIGILON.MAP", MapOf(100));
  std::snprintf(szFirstLineClass, kClassSize, "SECRET");
  for (auto _ : state) {
    COLORREF colour = 0;
    CheckColourMap(&colour);
    benchmark::DoNotOptimize(colour);
  }
}
BENCHMARK(BM_CheckColourMap)->Unit(benchmark::kMicrosecond);

void BM_ReadMap(benchmark::State& state) {
  RulesWorld world;
  world.WriteFile("C:\\Sigilon\\SIGILON.MAP", MapOf(100));
  for (auto _ : state) ReadWhole("C:\\Sigilon\\SIGILON.MAP");
}
BENCHMARK(BM_ReadMap)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
