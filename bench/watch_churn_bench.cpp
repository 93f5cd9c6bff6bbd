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

namespace {

using namespace lumetta;
using sim::NodeId;
using sim::SimValue;

constexpr Pid kStayingPid = 100;
constexpr int kRecycledPids = 16;  // relaunches reuse pids, as macOS may

class ChurnDesktop {
 public:
  // Room for `launches` instances of the churning app, each with its own elements.
  explicit ChurnDesktop(int launches) {
    model_.apps.push_back(app(kStayingPid, 0, "ChatGPT", "com.openai.chat"));
    NodeId window = node("AXWindow", model_.apps.back().root, {kStayingPid, 0});
    NodeId button = node("AXPopUpButton", window, {kStayingPid, 0});
    model_.nodes[button].attributes["AXTitle"] =
        SimValue{std::string("Switch mode, current mode: ChatGPT")};
    for (int i = 1; i <= launches; ++i) {
      const Pid pid = 1000 + i % kRecycledPids;
      churning_.push_back(app(pid, std::uint32_t(i), "Codex", "com.openai.codex"));
      node("AXWindow", churning_.back().root, {pid, std::uint32_t(i)});
    }
  }
  sim::DesktopModel& model() { return model_; }
  const sim::SimApp& launch(int i) const { return churning_[std::size_t(i)]; }

 private:
  sim::SimApp app(Pid pid, std::uint32_t ordinal, const char* name, const char* bundle) {
    sim::SimApp app;
    app.pid = pid;
    app.ordinal = ordinal;
    app.name = name;
    app.bundle = bundle;
    app.root = node("AXApplication", sim::kNoNode, {pid, ordinal});
    model_.nodes[app.root].isApplication = true;
    return app;
  }
  NodeId node(const char* role, NodeId parent, sim::Owner owner) {
    const NodeId id = NodeId(model_.nodes.size());
    model_.nodes.emplace_back();
    model_.nodes[id].owner = owner;
    model_.nodes[id].attributes["AXRole"] = SimValue{std::string(role)};
    if (parent != sim::kNoNode) model_.nodes[parent].children.push_back({id, {}});
    return id;
  }

  sim::DesktopModel model_;
  std::vector<sim::SimApp> churning_;
};

void BM_WatchLaunchQuitChurn(benchmark::State& state) {
  const int events = int(state.range(0));
  std::size_t numbered = 0;
  double growth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ChurnDesktop churn(events / 2);
    sim::SimPlatform platform(std::move(churn.model()), sim::TimeSource::manual);
    NotificationCenter& center = platform.workspace().notificationCenter();
    std::ostringstream log;
    ValidationMonitor monitor(platform.platform(), log, false);
    monitor.start();
    std::size_t heapAtTenth = 0;
    state.ResumeTiming();

    for (int event = 0; event < events; ++event) {
      const sim::SimApp& app = churn.launch(event / 2);
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
