// A target application stops answering for five simulated minutes while the
// other keeps working: its window moves every second and must keep its
// overlay on it, the hung one's window moves too and switches modes, and once
// it answers again its overlay must show the new mode. max_main_stall_ms is
// the longest any main-queue action of the run stalled the main thread: the
// real time it ran plus the simulated time its platform calls took
// (main_platform_ms, the second part alone); following_misses counts the
// seconds that ended with the working window's panel away from it a tick
// later, and
// recovered is 1 when the hung window's overlay came back in its new mode.
#include <benchmark/benchmark.h>

#include "bench_desktop.h"
#include "geometry/server_windows.h"
#include "geometry/window_frame.h"
#include "overlay/overlay_controller.h"
#include "platform/sim/sim_platform.h"

namespace {

using namespace lumetta;

constexpr Duration kTick = Duration::seconds(1.0 / 60);
constexpr int kHangStart = 10, kHangEnd = 310, kEnd = 330;

sim::DesktopModel hungDesktop() {
  testing::DesktopBuilder desktop = bench::benchDesktop(1);
  desktop.at(kHangStart).hang(501);
  desktop.at(150).label("b1", "Codex", true);
  desktop.at(kHangEnd).hang(501, false);
  for (int t = 11; t < kEnd; ++t) {
    desktop.at(t + 0.5).drag(200, "w100", {700.0 - t % 200, 300, 640, 480});
    if (t % 30 == 0) desktop.at(t + 0.5).move(11, {40.0 + t % 90, 40, 640, 480});
  }
  return desktop.build();
}

void BM_HungApplication(benchmark::State& state) {
  double stall = 0, platformMs = 0, misses = 0, recovered = 0;
  for (auto _ : state) {
    sim::SimPlatform platform(hungDesktop(), sim::TimeSource::manual);
    sim::ManualRunLoop& loop = platform.manualRunLoop();
    loop.setRunsJobs(true);
    auto controller = OverlayController::create(platform.platform());
    loop.runFor(Duration::seconds(kHangStart - 1));
    loop.resetStatistics();
    misses = 0;
    for (int t = kHangStart - 1; t < kEnd; ++t) {
      loop.runFor(Duration::seconds(1));
      const Entry* working = nullptr;
      for (const auto& entry : controller->entries()) {
        if (entry->pid == 612) working = entry.get();
      }
      // Hung requests move the manual clock while they wait, so compare with
      // where the window is now rather than where the timeline put it.
      ScreenRect wanted;
      for (const ServerWindow& window : visibleServerWindows(platform.windowServer())) {
        if (window.id == 200) wanted = appKitRect(window.bounds, 982);
      }
      auto following = [&] {
        return working && working->panel && working->panel->window().isVisible() &&
               working->panel->window().frame() == wanted;
      };
      if (!following()) loop.runFor(kTick);  // a move just before the second ends
      if (!following()) ++misses;
    }
    const auto statistics = loop.statistics();
    stall = statistics.longestStallMilliseconds;
    platformMs = statistics.longestPlatformMilliseconds;
    recovered = 0;
    for (const auto& entry : controller->entries()) {
      if (entry->pid == 501 && entry->cache.effective() == WindowMode::codex && entry->panel &&
          entry->panel->window().isVisible()) {
        recovered = 1;
      }
    }
  }
  state.counters["max_main_stall_ms"] = stall;
  state.counters["main_platform_ms"] = platformMs;
  state.counters["following_misses"] = misses;
  state.counters["recovered"] = recovered;
  state.counters["hung_seconds"] = kHangEnd - kHangStart;
}
BENCHMARK(BM_HungApplication)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
