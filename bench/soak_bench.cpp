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
#include <functional>
#include <memory>
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

// What a soak looks at after each simulated minute; the subject it watches
// lives as long as it does.
using Look = std::function<void(Peaks&)>;

// `hours` (the benchmark's argument) of churn on a fresh platform, with the
// subject `start` makes on it.
void soak(benchmark::State& state, const char* name,
          const std::function<Look(sim::SimPlatform&)>& start) {
  const int hours = int(state.range(0));
  Peaks peaks;
  double growth = 0, wall = 0;
  for (auto _ : state) {
    const auto began = std::chrono::steady_clock::now();
    ChurnDesktop churn(hours * 60);
    sim::SimPlatform platform(churn.takeModel(), sim::TimeSource::manual);
    platform.manualRunLoop().setRunsJobs(true);
    Look look = start(platform);
    Series series(name);
    std::ptrdiff_t afterFirstHour = 0;
    for (int minute = 0; minute < hours * 60; ++minute) {
      churn.minute(platform, minute);
      platform.manualRunLoop().runFor(kMinute);
      platform.desktop().counters().reset();  // the simulator's tally, not the subject's
      peaks.see("max_open_windows", churn.openWindows());
      peaks.see("max_running_targets", churn.runningTargets());
      look(peaks);
      if (minute == 59) afterFirstHour = bench::liveHeapBytes();
      series.minuteDone(minute);
    }
    growth = double(bench::liveHeapBytes() - afterFirstHour);
    look = nullptr;  // the subject goes while the platform is still there
    wall = seconds(began);
  }
  report(state, peaks, growth, wall, hours);
}

void BM_OverlaySoak(benchmark::State& state) {
  soak(state, "overlays", [](sim::SimPlatform& platform) -> Look {
    std::shared_ptr<OverlayController> controller = OverlayController::create(platform.platform());
    controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
    controller->setAppearance(WindowMode::codex, &ModeAppearance::style,
                              OverlayStyle::border);  // borders fade while windows move
    return [controller, &platform](Peaks& peaks) {
      const OverlayController::Bookkeeping kept = controller->bookkeeping();
      peaks.see("entries_max", double(kept.entries));
      peaks.see("panels_max", double(kept.panels));
      peaks.see("observers_max", double(kept.observers));
      peaks.see("subscriptions_max", double(kept.subscriptions));
      peaks.see("roots_max", double(kept.roots));
      peaks.see("launch_dates_max", double(kept.launchDates));
      peaks.see("renderer_requests_max", double(kept.rendererRequests));
      peaks.see("visible_panels_max", double(platform.panels().visiblePanels().size()));
    };
  });
}
BENCHMARK(BM_OverlaySoak)->Arg(72)->Iterations(1)->Unit(benchmark::kSecond);

// The monitor with the log it writes, stopped when it goes.
struct Watching {
  explicit Watching(const Platform& platform) : monitor(platform, log, true) { monitor.start(); }
  ~Watching() { monitor.stop(); }
  Watching(const Watching&) = delete;
  Watching& operator=(const Watching&) = delete;
  std::ostringstream log;
  ValidationMonitor monitor;
};

void BM_WatchSoak(benchmark::State& state) {
  soak(state, "watch", [](sim::SimPlatform& platform) -> Look {
    auto watching = std::make_shared<Watching>(platform.platform());
    return [watching](Peaks& peaks) {
      watching->log.str({});
      peaks.see("numbered_windows_max", double(watching->monitor.numberedWindows()));
    };
  });
}
BENCHMARK(BM_WatchSoak)->Arg(72)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
