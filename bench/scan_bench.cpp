// The mode scan over a 5,000-element window: elements per second, and
// accessibility round trips per element, batched and attribute by attribute.
// Each round trip to a real application costs far more than the simulated
// read, so round trips per element is the figure that matters; "sim_ms"
// shows what a scan would take at 0.2 ms per round trip.
#include <benchmark/benchmark.h>

#include "classify/mode_scan.h"
#include "platform/sim/sim_platform.h"
#include "support/unbatched_accessibility.h"

namespace {

using namespace lumetta;
using sim::NodeId;
using sim::SimValue;

constexpr Duration kRoundTripLatency = Duration::seconds(0.0002);

// A chat transcript of about `size` elements, shaped like a real one: user
// messages of two paragraphs, assistant messages of a heading, paragraphs of
// text runs, a list, a code block and a bar of four action buttons.
class TranscriptBuilder {
 public:
  explicit TranscriptBuilder(sim::DesktopModel& model) : model_(model) {}

  NodeId add(const char* role, NodeId parent, const char* title = nullptr) {
    NodeId node = NodeId(model_.nodes.size());
    model_.nodes.emplace_back();
    model_.nodes[node].owner = {42, 0};
    model_.nodes[node].attributes["AXRole"] = SimValue{std::string(role)};
    if (title) model_.nodes[node].attributes["AXTitle"] = SimValue{std::string(title)};
    if (parent != sim::kNoNode) model_.nodes[parent].children.push_back({node, {}});
    return node;
  }

  void userMessage(NodeId parent) {
    NodeId message = add("AXGroup", parent);
    for (int p = 0; p < 2; ++p) add("AXStaticText", add("AXGroup", message));
  }

  void assistantMessage(NodeId parent) {
    NodeId message = add("AXGroup", parent);
    add("AXHeading", message);
    for (int p = 0; p < 6; ++p) {
      NodeId paragraph = add("AXGroup", message);
      for (int r = 0; r < 3; ++r) add("AXStaticText", paragraph);
    }
    NodeId list = add("AXList", message);
    for (int i = 0; i < 4; ++i) add("AXStaticText", add("AXGroup", list));
    NodeId code = add("AXGroup", message);
    for (int l = 0; l < 8; ++l) add("AXStaticText", code);
    NodeId actions = add("AXGroup", message);
    for (const char* action : {"Copy", "Good response", "Bad response", "Read aloud"}) {
      add("AXButton", actions, action);
    }
  }

 private:
  sim::DesktopModel& model_;
};

sim::DesktopModel chatWindow(std::size_t size) {
  sim::DesktopModel model;
  sim::SimApp app;
  app.pid = 42;
  app.root = 0;
  app.latency = kRoundTripLatency;
  model.apps.push_back(app);
  TranscriptBuilder build(model);
  NodeId root = build.add("AXApplication", sim::kNoNode);
  model.nodes[root].isApplication = true;
  NodeId window = build.add("AXWindow", root);
  model.nodes[window].attributes["AXSubrole"] = SimValue{std::string("AXStandardWindow")};
  NodeId sidebar = build.add("AXGroup", window);
  build.add("AXButton", sidebar, "Hide sidebar");
  build.add("AXPopUpButton", sidebar, "Switch mode, current mode: Codex");
  NodeId web = build.add("AXWebArea", window);
  while (model.nodes.size() < size) {
    build.userMessage(web);
    build.assistantMessage(web);
  }
  return model;
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
