// The mode scan over a 5,000-element window: elements per second, and
// accessibility round trips per element, batched and attribute by attribute.
// Each round trip to a real application costs far more than the simulated
// read, so round trips per element is the figure that matters; "sim_ms"
// shows what a scan would take at 0.2 ms per round trip.
#include <benchmark/benchmark.h>

#include "classify/mode_scan.h"
#include "platform/sim/sim_platform.h"
#include "support/desktop_builder.h"
#include "support/unbatched_accessibility.h"

namespace {

using namespace lumetta;

constexpr Duration kRoundTripLatency = Duration::seconds(0.0002);

// A chat window of about `size` elements (testing::chatExchange) and a
// sidebar with the mode button.
sim::DesktopModel chatWindow(std::size_t size) {
  testing::DesktopBuilder desktop;
  testing::ElementBuilder window =
      desktop.app(42).latency(kRoundTripLatency).child("AXWindow").subrole("AXStandardWindow");
  testing::ElementBuilder sidebar = window.child("AXGroup");
  sidebar.child("AXButton").title("Hide sidebar");
  sidebar.child("AXPopUpButton").title(testing::modeLabel("Codex"));
  testing::ElementBuilder web = window.child("AXWebArea");
  while (desktop.model().nodes.size() < size) testing::chatExchange(web);
  return desktop.build();
}

void scanBenchmark(benchmark::State& state, bool batched) {
  sim::SimPlatform platform(chatWindow(5000), sim::TimeSource::manual);
  testing::UnbatchedAccessibility unbatched(platform.accessibility());
  Accessibility& ax = batched ? static_cast<Accessibility&>(platform.accessibility()) : unbatched;
  Element window = platform.accessibility().element(1);  // the window follows the app
  auto& counters = platform.desktop().counters();

  std::int64_t visited = 0;
  Duration simulated;
  counters.reset();
  for (auto _ : state) {
    const Uptime start = platform.clock().uptime();
    ModeScan scan = scanMode(ax, platform.clock(), window);
    simulated += platform.clock().uptime() - start;
    visited += scan.visited;
    if (!scan.complete || scan.mode != WindowMode::codex) state.SkipWithError("scan failed");
  }
  state.SetItemsProcessed(visited);
  state.counters["round_trips_per_element"] = double(counters.roundTrips()) / double(visited);
  state.counters["sim_ms"] = simulated.inMilliseconds() / double(state.iterations());
  state.counters["elements"] = double(visited) / double(state.iterations());
}

void BM_ScanBatched(benchmark::State& state) { scanBenchmark(state, true); }
void BM_ScanAttributeByAttribute(benchmark::State& state) { scanBenchmark(state, false); }

BENCHMARK(BM_ScanBatched)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanAttributeByAttribute)->Unit(benchmark::kMillisecond);

}  // namespace
