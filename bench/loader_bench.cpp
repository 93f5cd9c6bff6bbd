// Loading a desktop file by its size: one window whose tree holds the given
// number of elements (groups of 50 text runs), parsed, checked against every
// limit and built into a model. elements_per_ms is the throughput. And by the
// width of one object (the defaults, with that many keys), which must cost no
// more per member than a narrow one: members_per_ms.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/sim/desktop/desktop_loader.h"

namespace {

using namespace lumetta;

std::string desktopWith(int elements) {
  std::string groups;
  for (int made = 0; made < elements; made += 51) {
    std::string runs;
    for (int i = 0; i < 50; ++i) runs += std::string(i ? "," : "") + R"({"role":"AXStaticText"})";
    groups += std::string(made ? "," : "") + R"({"role":"AXGroup","children":[)" + runs + "]}";
  }
  return R"({"apps": [{"pid": 501, "name": "ChatGPT", "ax": {"role": "AXApplication",
    "children": [{"role": "AXWindow", "children": [)" +
         groups + "]}]}}]}";
}

// Loads `json` once per iteration; false (and the benchmark skipped with the
// error) when it does not load.
bool loadsRepeatedly(benchmark::State& state, const std::string& json) {
  for (auto _ : state) {
    sim::LoadResult loaded = sim::parseDesktop(json, "bench.json");
    if (!loaded.hasValue()) {
      state.SkipWithError(loaded.error().message.c_str());
      return false;
    }
    benchmark::DoNotOptimize(loaded);
  }
  return true;
}

void BM_LoadDesktop(benchmark::State& state) {
  const std::string json = desktopWith(int(state.range(0)));
  if (!loadsRepeatedly(state, json)) return;
  state.counters["elements"] = double(state.range(0));
  state.counters["bytes"] = double(json.size());
  state.counters["elements_per_ms"] = benchmark::Counter(
      double(state.range(0)) * double(state.iterations()) / 1000, benchmark::Counter::kIsRate);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadDesktop)
    ->Arg(1'000)
    ->Arg(5'000)
    ->Arg(20'000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

void BM_LoadWideObject(benchmark::State& state) {
  std::string members;
  for (int key = 0; key < int(state.range(0)); ++key) {
    members += (key ? ",\"k" : "\"k") + std::to_string(key) + "\":1";
  }
  const std::string json = R"({"defaults": {)" + members + "}}";
  if (!loadsRepeatedly(state, json)) return;
  state.counters["members_per_ms"] = benchmark::Counter(
      double(state.range(0)) * double(state.iterations()) / 1000, benchmark::Counter::kIsRate);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadWideObject)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(80'000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

}  // namespace
