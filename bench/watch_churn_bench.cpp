// The validation monitor (--watch) over launch/quit churn: a Codex app
// launched and quit again and again beside a ChatGPT app that stays. Every
// launch brings new window elements, as a real relaunch does, and every event
// is followed by the discovery it causes. The cost per event stays flat as the
// events grow (linear in events), and what the monitor keeps stays bounded by
// what runs: "numbered_windows" at the end, and the heap's growth from the
// first tenth of the run to its end ("churn_heap_growth_bytes").
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <sstream>

#include "diagnostics/validation_monitor.h"
#include "platform/sim/sim_platform.h"
#include "support/desktop_builder.h"

namespace {

using namespace lumetta;

constexpr Pid kStayingPid = 100;
constexpr int kRecycledPids = 16;  // relaunches reuse pids, as macOS may

// The ChatGPT app that stays, with a window in ChatGPT mode, and room for
// `launches` instances of the churning Codex app, each with its own window.
testing::DesktopBuilder churnDesktop(int launches) {
  testing::DesktopBuilder desktop;
  desktop.app(kStayingPid, "ChatGPT", "com.openai.chat")
      .child("AXWindow")
      .child("AXPopUpButton")
      .title(testing::modeLabel("ChatGPT"));
  for (int i = 1; i <= launches; ++i) {
    desktop.spareApp(1000 + i % kRecycledPids, "Codex", "com.openai.codex").child("AXWindow");
  }
  return desktop;
}

void BM_WatchLaunchQuitChurn(benchmark::State& state) {
  const int events = int(state.range(0));
  std::size_t numbered = 0;
  double growth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    testing::DesktopBuilder churn = churnDesktop(events / 2);
    sim::SimPlatform platform(churn.build(), sim::TimeSource::manual);
    NotificationCenter& center = platform.workspace().notificationCenter();
    std::ostringstream log;
    ValidationMonitor monitor(platform.platform(), log, false);
    monitor.start();
    std::size_t heapAtTenth = 0;
    state.ResumeTiming();

    for (int event = 0; event < events; ++event) {
      const sim::SimApp& app = churn.spareApps()[std::size_t(event / 2)];
      if (event % 2 == 0) {
        center.post({WorkspaceNotification::didLaunchApplication, platform.desktop().launch(app)});
      } else {
        center.post({WorkspaceNotification::didTerminateApplication,
                     platform.desktop().terminate(app.pid)});
      }
      platform.manualRunLoop().runFor(
          Duration::milliseconds(200));       // the discovery follows after 100 ms
      platform.desktop().counters().reset();  // the simulator's own tally, not the monitor's
      log.str({});
      if (event == events / 10) heapAtTenth = mallinfo2().uordblks;
    }

    state.PauseTiming();
    growth = double(mallinfo2().uordblks) - double(heapAtTenth);
    numbered = monitor.numberedWindows();
    monitor.stop();
    state.ResumeTiming();
  }
  state.SetComplexityN(events);
  state.SetItemsProcessed(std::int64_t(events) * state.iterations());
  state.counters["numbered_windows"] = double(numbered);
  state.counters["churn_heap_growth_bytes"] = growth;
}

BENCHMARK(BM_WatchLaunchQuitChurn)
    ->Arg(25'000)
    ->Arg(50'000)
    ->Arg(100'000)
    ->Arg(200'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
