// The overlay's geometry pass, which runs sixty times a second: the
// subtraction of the windows in front of a target window, by number of
// covers, and the snapshot of a 200-entry window-server list.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "geometry/exposed_regions.h"
#include "geometry/server_windows.h"
#include "platform/sim/sim_platform.h"

namespace {

using namespace lumetta;

constexpr ServerRect kWindow{200, 100, 1200, 800};

// Covers scattered over and around the window, 5 to 40 points a side: small
// enough that a thousand of them leave most of the window exposed, so the
// pieces keep accumulating, which is the costly case for successive splitting.
std::vector<ServerRect> randomCovers(std::size_t count) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> side(5, 40);
  std::uniform_real_distribution<double> x(kWindow.minX() - 40, kWindow.maxX());
  std::uniform_real_distribution<double> y(kWindow.minY() - 40, kWindow.maxY());
  std::vector<ServerRect> covers;
  for (std::size_t i = 0; i < count; ++i) {
    covers.push_back({x(random), y(random), side(random), side(random)});
  }
  return covers;
}

void BM_ExposedRectangles(benchmark::State& state) {
  const std::vector<ServerRect> covers = randomCovers(std::size_t(state.range(0)));
  std::size_t pieces = 0;
  for (auto _ : state) {
    std::vector<ServerRect> exposed = exposedRectangles(kWindow, covers);
    pieces = exposed.size();
    benchmark::DoNotOptimize(exposed.data());
  }
  state.counters["pieces"] = double(pieces);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExposedRectangles)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

// A desktop's worth of windows: mostly normal windows, with the menu bar,
// status items and a few entries that are skipped.
sim::DesktopModel desktopWithWindows(std::int64_t count) {
  sim::DesktopModel model;
  for (std::int64_t i = 0; i < count; ++i) {
    const double offset = double(i % 40) * 20;
    RawDictionary bounds{
        {"X", {offset}}, {"Y", {offset + 25}}, {"Width", {800.0}}, {"Height", {600.0}}};
    RawDictionary entry{{"kCGWindowNumber", {1000 + i}},
                        {"kCGWindowOwnerPID", {std::int64_t{400} + i % 30}},
                        {"kCGWindowLayer", {std::int64_t{i % 10 == 9 ? 25 : 0}}},
                        {"kCGWindowBounds", {std::move(bounds)}},
                        {"kCGWindowOwnerName", {std::string("Application")}},
                        {"kCGWindowAlpha", {1.0}}};
    if (i % 25 == 24) entry.erase(entry.begin() + 3);  // no bounds
    model.windows.push_back({std::move(entry)});
  }
  return model;
}

void BM_VisibleServerWindows(benchmark::State& state) {
  sim::SimPlatform platform(desktopWithWindows(200), sim::TimeSource::manual);
  std::size_t kept = 0;
  for (auto _ : state) {
    std::vector<ServerWindow> windows = visibleServerWindows(platform.windowServer());
    kept = windows.size();
    benchmark::DoNotOptimize(windows.data());
  }
  state.counters["windows"] = double(kept);
}
BENCHMARK(BM_VisibleServerWindows)->Unit(benchmark::kMicrosecond);

}  // namespace
