// The scan reads role and children in one round trip; its result must be
// exactly what reading attribute by attribute gives. Random trees with
// cycles, shared nodes and injected errors check that against a plain
// transcription of the scan made of single reads.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <unordered_set>

#include "classify/mode_scan.h"
#include "platform/sim/sim_platform.h"
#include "support/unbatched_accessibility.h"

namespace lumetta {
namespace {

using sim::NodeId;
using sim::SimValue;

ModeScan referenceScan(Accessibility& ax, const Element& window) {
  ModeScan scan;
  std::set<std::string> failures;
  std::vector<Element> queue{window};
  std::unordered_set<Element, ElementHash> seen;
  std::size_t index = 0;
  while (index < queue.size()) {
    if (index > 9999) {
      failures.insert("traversal budget");
      break;
    }
    Element element = queue[index++];
    if (!seen.insert(element).second) continue;
    ReadResult role = readAX(ax, element, "AXRole");
    if (role.error) failures.insert("AXRole error=" + std::to_string(role.error));
    std::string roleText = textOf(role);
    if (roleText == "AXWebArea") scan.webAreas.push_back(element);
    if (roleText == "AXButton") {
      std::string title = axString(ax, element, "AXTitle");
      if (title == "Show sidebar" || title == "Hide sidebar") scan.sidebarLabels.push_back(title);
    }
    if (roleText == "AXPopUpButton") {
      ReadResult title = readAX(ax, element, "AXTitle");
      ReadResult description = readAX(ax, element, "AXDescription");
      auto tolerated = [](AXError e) { return e == 0 || e == -25212 || e == -25205; };
      if (!tolerated(title.error) || !tolerated(description.error)) {
        failures.insert("popup title/description error=" + std::to_string(title.error) + "/" +
                        std::to_string(description.error));
      }
      ModeEvidence evidence{roleText, textOf(title), textOf(description)};
      if (!evidence.modes().empty()) {
        scan.evidence.push_back(evidence);
        scan.buttons.push_back(element);
      }
    }
    ReadResult children = readAX(ax, element, "AXChildren");
    if (children.error == -25212 || children.error == -25205) continue;
    if (children.error) {
      failures.insert("AXChildren error=" + std::to_string(children.error));
    } else if (auto list = elementsOf(children)) {
      queue.insert(queue.end(), list->begin(), list->end());
    } else {
      failures.insert("AXChildren invalid type");
    }
  }
  ReadResult subrole = readAX(ax, window, "AXSubrole");
  if (subrole.error) failures.insert("AXSubrole error=" + std::to_string(subrole.error));
  scan.excludedDialog = textOf(subrole) == "AXDialog" || textOf(subrole) == "AXSystemDialog";
  scan.complete = failures.empty();
  ModeDecision decision = decideMode(scan.evidence, scan.complete, scan.excludedDialog);
  scan.mode = decision.mode;
  scan.reason = decision.reason;
  std::string list;
  for (const auto& failure : failures) list += (list.empty() ? "" : ", ") + failure;
  if (!list.empty()) scan.reason += ": " + list;
  scan.visited = static_cast<std::int64_t>(index);
  return scan;
}

void expectSameScan(const ModeScan& a, const ModeScan& b) {
  EXPECT_EQ(a.mode, b.mode);
  EXPECT_EQ(a.reason, b.reason);
  EXPECT_EQ(a.evidence, b.evidence);
  EXPECT_EQ(a.buttons, b.buttons);
  EXPECT_EQ(a.webAreas, b.webAreas);
  EXPECT_EQ(a.complete, b.complete);
  EXPECT_EQ(a.visited, b.visited);
  EXPECT_EQ(a.sidebarLabels, b.sidebarLabels);
  EXPECT_EQ(a.excludedDialog, b.excludedDialog);
}

// One app whose window is node 1 of a random graph of `size` nodes.
sim::DesktopModel randomDesktop(std::mt19937& random, int size) {
  auto pick = [&](auto const& options) { return options[random() % std::size(options)]; };
  auto chance = [&](int percent) { return int(random() % 100) < percent; };
  static const char* roles[] = {"AXGroup",   "AXButton",     "AXPopUpButton", "AXPopUpButton",
                                "AXWebArea", "AXStaticText", "AXToolbar"};
  static const char* labels[] = {"",
                                 "ChatGPT",
                                 "Show sidebar",
                                 "Hide sidebar",
                                 "Show sidebar please",
                                 "Switch mode, current mode: ChatGPT",
                                 "Switch mode, current mode: Codex",
                                 "Now: Switch mode, current mode: Codex!"};
  static const char* subroles[] = {"AXStandardWindow", "AXDialog", "AXSystemDialog"};
  static const AXError codes[] = {-25212, -25205, -25204, -25202, -25200};
  static const char* faultable[] = {"AXRole", "AXTitle", "AXDescription", "AXChildren",
                                    "AXSubrole"};

  sim::DesktopModel model;
  model.nodes.resize(size);
  sim::SimApp app;
  app.pid = 7;
  app.root = 0;
  model.apps.push_back(app);
  for (NodeId n = 0; n < NodeId(size); ++n) {
    sim::SimNode& node = model.nodes[n];
    node.owner = {7, 0};
    node.isApplication = n == 0;
    auto set = [&](const char* attribute, std::string text) {
      node.attributes[attribute] = SimValue{std::move(text)};
    };
    set("AXRole", n == 0 ? "AXApplication" : n == 1 ? "AXWindow" : pick(roles));
    if (chance(60)) set("AXTitle", pick(labels));
    if (chance(60)) set("AXDescription", pick(labels));
    if (n == 1 && chance(80)) set("AXSubrole", chance(80) ? "AXStandardWindow" : pick(subroles));
    if (chance(8)) node.errors[pick(faultable)] = pick(codes);
    if (chance(3))
      node.attributes["AXChildren"] =
          chance(50) ? std::nullopt : sim::StoredValue{SimValue{std::string("x")}};
    if (chance(3)) node.attributes["AXRole"] = SimValue{std::int64_t{3}};
  }
  model.nodes[0].children.push_back({1, {}});
  // A random tree below the window, plus shared edges and cycles.
  for (NodeId n = 2; n < NodeId(size); ++n) {
    NodeId parent = 1 + random() % (n - 1);
    model.nodes[parent].children.push_back({n, {}});
  }
  for (int extra = 0; extra < size / 10; ++extra) {
    NodeId from = 1 + random() % (size - 1);
    NodeId to = 1 + random() % (size - 1);
    model.nodes[from].children.push_back({to, {}});
  }
  if (chance(2)) {  // past the queue limit
    for (int i = 0; i < 10'050; ++i)
      model.nodes[1].children.push_back({NodeId(1 + i % (size - 1)), {}});
  }
  return model;
}

TEST(BatchedScan, EqualsAttributeByAttributeReadingOnRandomTrees) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 400; ++round) {
    sim::SimPlatform platform(randomDesktop(random, 2 + int(random() % 120)),
                              sim::TimeSource::manual);
    Accessibility& ax = platform.accessibility();
    testing::UnbatchedAccessibility unbatched(ax);
    Element window = platform.accessibility().element(1);

    ModeScan batched = scanMode(ax, platform.clock(), window);
    SCOPED_TRACE("round " + std::to_string(round) + ": " + batched.reason);
    expectSameScan(batched, referenceScan(ax, window));
    expectSameScan(batched, scanMode(unbatched, platform.clock(), window));
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace lumetta
