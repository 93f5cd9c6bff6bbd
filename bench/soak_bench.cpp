// Long runs on the manual clock: the overlay controller (--overlays) and the
// validation monitor (--watch) over simulated hours of churn (launches and
// quits, relaunches under the same pid, windows opening and closing, mode
// switches, moves, sleep and wake, display sleep, session switches, the
// permission lost and regained). Live heap bytes are read at the end of the
// first hour and at the end of the run, at the same point of the churn's
// cycle: heap_growth_bytes is their difference. What the controller keeps is
// sampled every simulated minute; each *_max counter is the most seen at once
// and stays bounded by what runs (max_open_windows, max_running_targets).
// With LUMETTA_SOAK_SERIES naming a file, each soak appends to it one line
// per simulated hour: its name, the hour and the live heap bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "diagnostics/validation_monitor.h"
#include "live_heap.h"
#include "overlay/overlay_controller.h"
#include "support/churn_desktop.h"

namespace {

using namespace lumetta;
using testing::ChurnDesktop;

constexpr Duration kMinute = Duration::seconds(60);

struct Peaks {
  std::map<std::string, double> most;
  void see(const std::string& name, double value) { most[name] = std::max(most[name], value); }
};

void report(benchmark::State& state, const Peaks& peaks, double growth, double wall, int hours) {
  state.counters["heap_growth_bytes"] = growth;
  state.counters["simulated_hours"] = hours;
  state.counters["wall_seconds"] = wall;
  for (const auto& [name, value] : peaks.most) state.counters[name] = value;
}

// The live heap at the end of each hour, for tools/reliability_figures.py.
class Series {
 public:
  explicit Series(const char* name) : name_(name) {
    if (const char* path = std::getenv("LUMETTA_SOAK_SERIES")) out_.open(path, std::ios::app);
  }
  void minuteDone(int minute) {
    if (out_ && minute % 60 == 59) {
      out_ << name_ << ' ' << (minute + 1) / 60 << ' ' << bench::liveHeapBytes() << '\n';
    }
  }

 private:
  const char* name_;
  std::ofstream out_;
};

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_OverlaySoak(benchmark::State& state) {
  const int hours = int(state.range(0));
  Peaks peaks;
  double growth = 0, wall = 0;
  for (auto _ : state) {
    const auto began = std::chrono::steady_clock::now();
    ChurnDesktop churn(hours * 60);
    sim::SimPlatform platform(churn.takeModel(), sim::TimeSource::manual);
    platform.manualRunLoop().setRunsJobs(true);
    auto controller = OverlayController::create(platform.platform());
    Series series("overlays");
    controller->setGptEnabled(true);
    controller->setTint(false);  // borders fade while windows move
    std::ptrdiff_t afterFirstHour = 0;
    for (int minute = 0; minute < hours * 60; ++minute) {
      churn.minute(platform, minute);
      platform.manualRunLoop().runFor(kMinute);
      platform.desktop().counters().reset();  // the simulator's tally, not the controller's
      const OverlayController::Bookkeeping kept = controller->bookkeeping();
      peaks.see("max_open_windows", churn.openWindows());
      peaks.see("max_running_targets", churn.runningTargets());
      peaks.see("entries_max", double(kept.entries));
      peaks.see("panels_max", double(kept.panels));
      peaks.see("observers_max", double(kept.observers));
      peaks.see("subscriptions_max", double(kept.subscriptions));
      peaks.see("roots_max", double(kept.roots));
      peaks.see("launch_dates_max", double(kept.launchDates));
      peaks.see("renderer_requests_max", double(kept.rendererRequests));
      peaks.see("visible_panels_max", double(platform.panels().visiblePanels().size()));
      if (minute == 59) afterFirstHour = bench::liveHeapBytes();
      series.minuteDone(minute);
    }
    growth = double(bench::liveHeapBytes() - afterFirstHour);
    controller.reset();
    wall = seconds(began);
  }
  report(state, peaks, growth, wall, hours);
}
BENCHMARK(BM_OverlaySoak)->Arg(72)->Iterations(1)->Unit(benchmark::kSecond);

void BM_WatchSoak(benchmark::State& state) {
  const int hours = int(state.range(0));
  Peaks peaks;
  double growth = 0, wall = 0;
  for (auto _ : state) {
    const auto began = std::chrono::steady_clock::now();
    ChurnDesktop churn(hours * 60);
    sim::SimPlatform platform(churn.takeModel(), sim::TimeSource::manual);
    platform.manualRunLoop().setRunsJobs(true);
    std::ostringstream log;
    ValidationMonitor monitor(platform.platform(), log, true);
    monitor.start();
    Series series("watch");
    std::ptrdiff_t afterFirstHour = 0;
    for (int minute = 0; minute < hours * 60; ++minute) {
      churn.minute(platform, minute);
      platform.manualRunLoop().runFor(kMinute);
      platform.desktop().counters().reset();
      log.str({});
      peaks.see("max_open_windows", churn.openWindows());
      peaks.see("numbered_windows_max", double(monitor.numberedWindows()));
      if (minute == 59) afterFirstHour = bench::liveHeapBytes();
      series.minuteDone(minute);
    }
    growth = double(bench::liveHeapBytes() - afterFirstHour);
    monitor.stop();
    wall = seconds(began);
  }
  report(state, peaks, growth, wall, hours);
}
BENCHMARK(BM_WatchSoak)->Arg(72)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
