#include "classify/mode_scan.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::DesktopBuilder;
using testing::ElementBuilder;
using testing::elementById;
using testing::simulated;

const std::string kGpt = testing::modeLabel("ChatGPT");
const std::string kCodex = testing::modeLabel("Codex");

// The scan's results on random trees are checked against a reference in
// batched_scan_property_test.cpp; these cover what it cannot: limits, time,
// reads and the observation a scan gives.

// One ChatGPT app (pid 100) whose only window is "w"; `fill` makes what the
// window holds.
std::unique_ptr<sim::SimPlatform> withWindow(const std::function<void(ElementBuilder)>& fill,
                                             Duration latency = Duration::zero()) {
  DesktopBuilder desktop;
  fill(desktop.app(100, "ChatGPT")
           .latency(latency)
           .child("AXWindow", "w")
           .subrole("AXStandardWindow"));
  return simulated(std::move(desktop));
}

ModeScan scanWindow(sim::SimPlatform& platform) {
  return scanMode(platform.accessibility(), platform.clock(), elementById(platform, "w"));
}

TEST(ModeScan, AListOfChildrenThatAreNotElementsIsAFailure) {
  auto platform = withWindow([](ElementBuilder w) {
    w.child("AXGroup").attr("AXChildren",
                            sim::SimValue{sim::SimArray{{std::int64_t{1}}, {std::int64_t{2}}}});
  });
  EXPECT_EQ(scanWindow(*platform).reason, "Incomplete AX traversal: AXChildren invalid type");
}

TEST(ModeScan, SharedAndCyclicElementsAreReadOnce) {
  auto platform = withWindow([](ElementBuilder w) {
    w.child("AXGroup", "a").ref("w").ref("b");
    w.ref("a").child("AXPopUpButton", "b").title(kGpt);
  });
  EXPECT_EQ(scanWindow(*platform).mode, WindowMode::chatGPT);
  const auto& counters = platform->desktop().counters();
  for (const char* id : {"w", "a", "b"}) {
    EXPECT_EQ(counters.reads(platform->desktop().nodeById(id), "AXRole"), 1u) << id;
  }
}

TEST(ModeScan, QueueLimitIsTenThousandEntries) {
  // The window, a text "leaf" and then `refs` references to it.
  for (int refs : {9'998, 9'999}) {
    auto platform = withWindow([refs](ElementBuilder w) {
      w.child("AXStaticText", "leaf");
      for (int i = 0; i < refs; ++i) w.ref("leaf");
    });
    ModeScan scan = scanWindow(*platform);
    EXPECT_EQ(scan.complete, refs == 9'998) << refs;
    EXPECT_EQ(scan.visited, 10'000) << refs;
  }
}

TEST(ModeScan, UptimeBudgetStopsASlowScan) {
  auto platform = withWindow(
      [](ElementBuilder w) {
        for (int i = 0; i < 1000; ++i) w.child("AXGroup");
      },
      Duration::seconds(0.01));
  const Uptime start = platform->clock().uptime();
  ModeScan scan = scanWindow(*platform);
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: traversal budget");
  EXPECT_GT(scan.visited, 700);
  EXPECT_LT(scan.visited, 900);
  EXPECT_LT(platform->clock().uptime() - start, kScanBudget + Duration::milliseconds(50));
}

TEST(ModeScan, ShouldContinueIsAskedBeforeEveryEntry) {
  auto platform = withWindow([](ElementBuilder w) {
    for (int i = 0; i < 3; ++i) w.child("AXGroup");
  });
  int asked = 0;
  ModeScan scan = scanMode(platform->accessibility(), platform->clock(),
                           elementById(*platform, "w"), [&] { return ++asked <= 2; });
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(scan.visited, 2);
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: traversal budget");
}

// The reason it gives is pinned by the classify-report end-to-end case.
TEST(ModeScan, HungRendererFailsAfterTheInheritedMessagingTimeout) {
  auto platform = withWindow([](ElementBuilder w) {
    w.child("AXPopUpButton").title(kGpt);
    w.child("AXWebArea").hung();
  });
  Accessibility& ax = platform->accessibility();
  Element app = ax.applicationElement(100);
  ASSERT_EQ(ax.setMessagingTimeout(app, Duration::seconds(0.3)), axerr::success);
  auto windows = axElements(ax, app, "AXWindows");
  ASSERT_EQ(windows.size(), 1u);

  const Uptime start = platform->clock().uptime();
  ModeScan scan = scanMode(ax, platform->clock(), windows[0]);
  EXPECT_DOUBLE_EQ((platform->clock().uptime() - start).inSeconds(), 0.3);
  EXPECT_FALSE(scan.complete);
}

TEST(ModeScan, NeverReadsUserContent) {
  auto platform = std::make_unique<sim::SimPlatform>(sim::demoDesktop(), sim::TimeSource::manual);
  Accessibility& ax = platform->accessibility();
  for (Pid pid : {501, 612}) {
    for (const Element& window : axElements(ax, ax.applicationElement(pid), "AXWindows")) {
      scanMode(ax, platform->clock(), window);
    }
  }
  const std::set<std::string> allowed{"AXRole",        "AXChildren", "AXTitle",
                                      "AXDescription", "AXSubrole",  "AXWindows"};
  auto reads = platform->desktop().counters().readsByAttribute();
  EXPECT_FALSE(reads.empty());
  for (const auto& [attribute, count] : reads) EXPECT_TRUE(allowed.count(attribute)) << attribute;
}

// A dialog outranks ambiguity, ambiguity outranks incompleteness, and only a
// complete scan tells a missing label from a known one.
TEST(ModeObservationRules, FollowTheirOrder) {
  const ModeEvidence gpt{"AXPopUpButton", kGpt, ""};
  ModeScan scan;
  scan.evidence = {gpt};
  EXPECT_EQ(scan.observation(), ModeObservation::incomplete());
  scan.evidence = {gpt, gpt};
  EXPECT_EQ(scan.observation(), ModeObservation::ambiguous());
  scan.evidence = {{"AXPopUpButton", kGpt, kCodex}};
  EXPECT_EQ(scan.observation(), ModeObservation::ambiguous());
  scan.excludedDialog = true;
  EXPECT_EQ(scan.observation(), ModeObservation::dialog());
  scan = ModeScan{};
  scan.complete = true;
  EXPECT_EQ(scan.observation(), ModeObservation::missing());
  scan.mode = WindowMode::chatGPT;
  scan.evidence = {gpt};
  EXPECT_EQ(scan.observation(), ModeObservation::known(WindowMode::chatGPT));
}

}  // namespace
}  // namespace lumetta
