// The overlay controller's periodic work on the manual run loop: the geometry
// pass (main-thread start, job and apply step) and its redraws on an idle
// screen, how far a panel lags behind its window, and what the label pass
// reads, and how often its timers wake a desktop with nothing to mark.
// Counters: frame_share (one pass as a fraction of a 60 Hz frame),
// idle_redraws, lag_ticks, reads_per_button and idle_wakeups_per_s.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "geometry/window_frame.h"
#include "overlay/overlay_controller.h"
#include "platform/sim/sim_platform.h"
#include "support/desktop_builder.h"
#include "support/recording_run_loop.h"

namespace {

using namespace lumetta;

constexpr Duration kTick = Duration::seconds(1.0 / 60);

// `tracked` ChatGPT windows w<i> in Codex mode among `listed` window-server
// windows 1000 + i; the others belong to a non-target application.
sim::DesktopModel trackedDesktop(int tracked, int listed) {
  testing::DesktopBuilder desktop;
  desktop.app(300, "Finder");
  testing::AppBuilder chat = desktop.app(501, "ChatGPT");
  for (int i = 0; i < listed; ++i) {
    const ServerRect bounds{double((i * 37) % 900), double(30 + (i * 53) % 500), 500, 380};
    const bool target = i % (listed / tracked) == 0 && i / (listed / tracked) < tracked;
    if (target) {
      chat.child("AXWindow", "w" + std::to_string(i))
          .subrole("AXStandardWindow")
          .frame(bounds)
          .child("AXPopUpButton")
          .description(testing::modeLabel("Codex"));
    }
    desktop.server(1000 + i, target ? 501 : 300, bounds);
  }
  return desktop.build();
}

struct Running {
  explicit Running(sim::DesktopModel model) : platform(std::move(model), sim::TimeSource::manual) {
    loop().setRunsJobs(true);
    controller = OverlayController::create(platform.platform());
    loop().runFor(Duration::seconds(2));
  }
  sim::ManualRunLoop& loop() { return platform.manualRunLoop(); }
  // One geometry pass, start to apply, without moving the clock.
  void pass() {
    controller->geometry();
    loop().runUntil(platform.clock().uptime());
  }
  int draws() {
    int total = 0;
    for (sim::SimPanel* panel : platform.panels().visiblePanels()) total += panel->draws();
    return total;
  }

  sim::SimPlatform platform;
  std::unique_ptr<OverlayController> controller;
};

void BM_GeometryPass(benchmark::State& state) {
  Running running(trackedDesktop(int(state.range(0)), int(state.range(1))));
  if (running.controller->entries().size() != std::size_t(state.range(0))) {
    state.SkipWithError("the desktop did not come up");
    return;
  }
  for (auto _ : state) running.pass();
  // One pass's share of a frame at 60 Hz: the time per pass times 60.
  state.counters["frame_share"] = benchmark::Counter(
      double(state.iterations()) / 60, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);

  const int before = running.draws();
  for (int i = 0; i < 600; ++i) running.pass();
  state.counters["idle_redraws"] = running.draws() - before;
}
BENCHMARK(BM_GeometryPass)->Args({10, 200})->Args({50, 1000})->Unit(benchmark::kMicrosecond);

// Ticks of the 60 Hz timer from a window's move to its panel's new frame,
// when no notification announces the move (the worst case).
void BM_FollowLag(benchmark::State& state) {
  Running running(trackedDesktop(1, 2));
  Entry& entry = *running.controller->entries().front();
  sim::SimDesktop& desktop = running.platform.desktop();
  double ticks = 0, moves = 0;
  int step = 0;
  for (auto _ : state) {
    const ServerRect bounds{double(100 + step++ % 50), 100, 500, 380};
    desktop.moveWindow(1000, bounds);
    const ScreenRect wanted = appKitRect(bounds, 982);
    int waited = 0;
    while (entry.panel->window().frame() != wanted && waited < 60) {
      running.loop().runFor(kTick);
      ++waited;
    }
    ticks += waited;
    moves += 1;
  }
  state.counters["lag_ticks"] = ticks / moves;
}
BENCHMARK(BM_FollowLag)->Iterations(200);

// Attribute reads of one label pass per known mode button; any read of
// children would be a traversal.
void BM_LabelPass(benchmark::State& state) {
  Running running(trackedDesktop(10, 20));
  sim::RequestCounters& counters = running.platform.desktop().counters();
  std::uint64_t reads = 0, traversal = 0, passes = 0;
  for (auto _ : state) {
    counters.reset();
    running.loop().runFor(Duration::seconds(0.5));  // one label pass, geometry passes too
    reads += counters.reads("AXRole") + counters.reads("AXTitle") + counters.reads("AXDescription");
    traversal += counters.reads("AXChildren");
    ++passes;
  }
  state.counters["reads_per_button"] = double(reads) / double(passes * 10);
  state.counters["children_reads"] = double(traversal);
}
BENCHMARK(BM_LabelPass)->Iterations(20)->Unit(benchmark::kMillisecond);

// Timer firings per second of a desktop without a target application, over
// a simulated hour: what Lumetta costs while it only waits in the menu bar.
void BM_IdleWakeups(benchmark::State& state) {
  constexpr double kSeconds = 3600;
  double perSecond = 0;
  for (auto _ : state) {
    testing::DesktopBuilder idle;
    idle.app(300, "Finder");
    sim::SimPlatform platform(idle.server(1000, 300, {100, 100, 800, 600}).build(),
                              sim::TimeSource::manual);
    sim::ManualRunLoop& loop = platform.manualRunLoop();
    loop.setRunsJobs(true);
    testing::RecordingRunLoop recording(loop, platform.clock());
    auto controller =
        OverlayController::create(testing::withRunLoop(platform.platform(), recording));
    auto firings = [&] {
      int total = 0;
      for (const auto& timer : recording.timers()) total += timer.firings;
      return total;
    };
    loop.runFor(Duration::seconds(10));  // started and settled
    const int before = firings();
    loop.runFor(Duration::seconds(kSeconds));
    perSecond = (firings() - before) / kSeconds;
  }
  state.counters["idle_wakeups_per_s"] = perSecond;
}
BENCHMARK(BM_IdleWakeups)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
