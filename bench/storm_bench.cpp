// Event storms for a simulated minute: 10,000 accessibility notifications a
// second from the ChatGPT app (title, value and layout changes of its mode
// buttons, web areas and windows, windows created), a window of the Codex app
// dragged with a move notification every millisecond, and 100 application
// launches a second. Busy flags must coalesce the work:
// storm_queued_jobs_max is the most jobs that waited on one serial queue at
// once (at most one per window); storm_main_share_max is the largest share
// of a simulated second the main thread spent running (real time).
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench_desktop.h"
#include "overlay/overlay_controller.h"
#include "platform/sim/sim_platform.h"

namespace {

using namespace lumetta;

constexpr int kChatWindows = 4;
constexpr int kSeconds = 60;
constexpr int kPerMillisecond = 10;

void BM_NotificationStorm(benchmark::State& state) {
  double queued = 0, share = 0, scans = 0;
  for (auto _ : state) {
    sim::SimPlatform platform(bench::benchDesktop(kChatWindows).build(), sim::TimeSource::manual);
    sim::ManualRunLoop& loop = platform.manualRunLoop();
    loop.setRunsJobs(true);
    auto controller = OverlayController::create(platform.platform());
    loop.runFor(Duration::seconds(2));

    std::vector<std::pair<sim::NodeId, AXNotification>> sources;
    sim::SimDesktop& desktop = platform.desktop();
    for (int i = 1; i <= kChatWindows; ++i) {
      const std::string n = std::to_string(i);
      sources.emplace_back(desktop.nodeById("b" + n), AXNotification::titleChanged);
      sources.emplace_back(desktop.nodeById("a" + n), AXNotification::valueChanged);
      sources.emplace_back(desktop.nodeById("w" + n), AXNotification::layoutChanged);
    }
    sources.emplace_back(desktop.nodeById("chat"), AXNotification::windowCreated);
    const sim::NodeId dragged = desktop.nodeById("w100");
    NotificationCenter& center = platform.workspace().notificationCenter();
    const RunningApplication other{300,          "com.apple.finder", "Finder",
                                   std::nullopt, std::nullopt,       false};

    loop.resetStatistics();
    desktop.counters().reset();
    double mainBefore = 0;
    std::size_t next = 0;
    for (int ms = 0; ms < kSeconds * 1000; ++ms) {
      for (int i = 0; i < kPerMillisecond - 1; ++i, ++next) {
        platform.accessibility().deliver(sources[next % sources.size()].first,
                                         sources[next % sources.size()].second);
      }
      desktop.moveWindow(200, {double(700 - ms % 300), 300, 640, 480});
      platform.accessibility().deliver(dragged, AXNotification::moved);
      if (ms % 10 == 0) center.post({WorkspaceNotification::didLaunchApplication, other});
      loop.runFor(Duration::milliseconds(1));
      if (ms % 1000 == 999) {
        const double main = loop.statistics().mainMilliseconds;
        share = std::max(share, (main - mainBefore) / 1000);
        mainBefore = main;
      }
    }
    queued = double(loop.statistics().mostQueuedJobs);
    // Every scan reads the window's role and children first.
    scans = double(desktop.counters().reads("AXChildren"));
  }
  state.counters["storm_queued_jobs_max"] = queued;
  state.counters["storm_main_share_max"] = share;
  state.counters["windows"] = kChatWindows + 1;
  state.counters["notifications"] = kSeconds * 1000 * kPerMillisecond;
  state.counters["children_reads"] = scans;
}
BENCHMARK(BM_NotificationStorm)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
