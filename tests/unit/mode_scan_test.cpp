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

// One ChatGPT app (pid 100) whose only window is "w", of `subrole` (none
// when empty); `fill` makes what the window holds.
std::unique_ptr<sim::SimPlatform> withWindow(const std::function<void(ElementBuilder)>& fill,
                                             const std::string& subrole = "AXStandardWindow",
                                             Duration latency = Duration::zero()) {
  DesktopBuilder desktop;
  ElementBuilder window = desktop.app(100, "ChatGPT").latency(latency).child("AXWindow", "w");
  if (!subrole.empty()) window.subrole(subrole);
  fill(window);
  return simulated(std::move(desktop));
}

ModeScan scanWindow(sim::SimPlatform& platform, const char* id = "w") {
  return scanMode(platform.accessibility(), platform.clock(), elementById(platform, id));
}

TEST(ModeScan, ChildrenReadDecidesCompleteness) {
  auto clean = withWindow([](ElementBuilder w) { w.error("AXChildren", axerr::noValue); });
  ModeScan scan = scanWindow(*clean);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.visited, 1);
  EXPECT_EQ(scan.reason, "No semantic mode button");
  EXPECT_EQ(scan.observation(), ModeObservation::missing());

  auto failing = withWindow([](ElementBuilder w) { w.error("AXChildren", axerr::cannotComplete); });
  scan = scanWindow(*failing);
  EXPECT_FALSE(scan.complete);
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: AXChildren error=-25204");
  EXPECT_EQ(scan.observation(), ModeObservation::incomplete());
}

TEST(ModeScan, MissingSubroleMakesTheScanIncomplete) {
  auto platform = withWindow([](ElementBuilder w) { w.child("AXPopUpButton").title(kGpt); }, "");
  ModeScan scan = scanWindow(*platform);
  EXPECT_FALSE(scan.complete);
  EXPECT_EQ(scan.mode, WindowMode::unknown);
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: AXSubrole error=-25205");
  EXPECT_EQ(scan.observation(), ModeObservation::incomplete());
}

TEST(ModeScan, DialogExcludesWhateverItContains) {
  auto platform = withWindow(
      [](ElementBuilder w) {
        w.child("AXPopUpButton").title(kGpt);
        w.child("AXGroup").error("AXChildren", axerr::failure);
      },
      "AXDialog");
  ModeScan scan = scanWindow(*platform);
  EXPECT_TRUE(scan.excludedDialog);
  EXPECT_EQ(scan.mode, WindowMode::unknown);
  EXPECT_EQ(scan.reason, "Dialog excluded: AXChildren error=-25200");
  EXPECT_EQ(scan.observation(), ModeObservation::dialog());
  EXPECT_EQ(scan.buttons.size(), 1u);
}

TEST(ModeScan, FindsButtonsWebAreasAndSidebarTogglesInVisitingOrder) {
  auto platform = withWindow([](ElementBuilder w) {
    ElementBuilder group = w.child("AXGroup");
    group.child("AXPopUpButton", "deep").description("prefix " + kCodex + " suffix");
    group.child("AXButton").title("Show sidebar");
    w.child("AXWebArea", "web");
    w.child("AXButton").title("Hide sidebar");
    w.child("AXButton").title("Show sidebar please");
    w.child("AXPopUpButton").title("Model");
  });
  ModeScan scan = scanWindow(*platform);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.mode, WindowMode::codex);
  EXPECT_EQ(scan.reason, "One unambiguous semantic AXPopUpButton");
  EXPECT_EQ(scan.visited, 8);
  // Breadth first: the window's own children come before the group's.
  EXPECT_EQ(scan.sidebarLabels, (std::vector<std::string>{"Hide sidebar", "Show sidebar"}));
  ASSERT_EQ(scan.buttons.size(), 1u);
  EXPECT_EQ(scan.buttons[0], elementById(*platform, "deep"));
  ASSERT_EQ(scan.webAreas.size(), 1u);
  EXPECT_EQ(scan.webAreas[0], elementById(*platform, "web"));
  EXPECT_EQ(scan.observation(), ModeObservation::known(WindowMode::codex));
}

TEST(ModeScan, LabelReadErrorsOutsideTheToleratedSetAreFailures) {
  const auto titleFailing = [](AXError code) {
    return withWindow([code](ElementBuilder w) {
      w.child("AXPopUpButton").description(kCodex).error("AXTitle", code);
    });
  };
  auto tolerated = titleFailing(axerr::noValue);
  ModeScan scan = scanWindow(*tolerated);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.mode, WindowMode::codex);

  auto failing = titleFailing(axerr::cannotComplete);
  scan = scanWindow(*failing);
  EXPECT_FALSE(scan.complete);
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: popup title/description error=-25204/0");
  EXPECT_EQ(scan.evidence.size(), 1u);
  // A lone button in an incomplete tree is never known.
  EXPECT_EQ(scan.observation(), ModeObservation::incomplete());
}

TEST(ModeScan, ChildrenOfTheWrongTypeAreAFailure) {
  auto platform = withWindow([](ElementBuilder w) {
    w.child("AXGroup").text("AXChildren", "not a list");
    w.child("AXGroup").attr("AXChildren", std::nullopt);
    w.child("AXGroup").attr("AXChildren",
                            sim::SimValue{sim::SimArray{{std::int64_t{1}}, {std::int64_t{2}}}});
  });
  ModeScan scan = scanWindow(*platform);
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: AXChildren invalid type");
}

TEST(ModeScan, SharedAndCyclicElementsAreReadOnceButCountedAsVisited) {
  auto platform = withWindow([](ElementBuilder w) {
    w.child("AXGroup", "a").ref("w").ref("b");
    w.ref("a").child("AXPopUpButton", "b").title(kGpt);
  });
  ModeScan scan = scanWindow(*platform);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.mode, WindowMode::chatGPT);
  EXPECT_EQ(scan.buttons.size(), 1u);
  // w, a, a, b, w, b: six queue entries, three distinct elements.
  EXPECT_EQ(scan.visited, 6);
  const auto& counters = platform->desktop().counters();
  for (const char* id : {"w", "a", "b"}) {
    EXPECT_EQ(counters.reads(platform->desktop().nodeById(id), "AXRole"), 1u) << id;
  }
}

// The window holds a text "leaf" and then `refs` references to it.
std::unique_ptr<sim::SimPlatform> wideWindow(int refs) {
  return withWindow([refs](ElementBuilder w) {
    w.child("AXStaticText", "leaf");
    for (int i = 0; i < refs; ++i) w.ref("leaf");
  });
}

TEST(ModeScan, QueueLimitStopsAtTenThousandEntries) {
  auto platform = wideWindow(10'000);
  ModeScan scan = scanWindow(*platform);
  EXPECT_FALSE(scan.complete);
  EXPECT_EQ(scan.visited, 10'000);
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: traversal budget");
  EXPECT_EQ(platform->desktop().counters().reads(platform->desktop().nodeById("leaf"), "AXRole"),
            1u);

  // Exactly ten thousand entries fit.
  auto fits = wideWindow(9'998);
  scan = scanWindow(*fits);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.visited, 10'000);
}

TEST(ModeScan, UptimeBudgetStopsASlowScan) {
  auto platform = withWindow(
      [](ElementBuilder w) {
        for (int i = 0; i < 1000; ++i) w.child("AXGroup");
      },
      "AXStandardWindow", Duration::seconds(0.01));
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
  EXPECT_FALSE(scan.excludedDialog);
}

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
  EXPECT_EQ(scan.reason, "Incomplete AX traversal: AXChildren error=-25204, AXRole error=-25204");
  EXPECT_EQ(scan.observation(), ModeObservation::incomplete());
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

TEST(ModeObservationRules, AmbiguityOutranksIncompleteness) {
  const ModeEvidence gpt{"AXPopUpButton", kGpt, ""};
  const ModeEvidence both{"AXPopUpButton", kGpt, kCodex};
  ModeScan scan;
  scan.evidence = {gpt, gpt};
  scan.complete = false;
  EXPECT_EQ(scan.observation(), ModeObservation::ambiguous());
  scan.evidence = {both};
  EXPECT_EQ(scan.observation(), ModeObservation::ambiguous());
  scan.excludedDialog = true;
  EXPECT_EQ(scan.observation(), ModeObservation::dialog());
  scan = ModeScan{};
  scan.complete = true;
  scan.mode = WindowMode::chatGPT;
  scan.evidence = {gpt};
  EXPECT_EQ(scan.observation(), ModeObservation::known(WindowMode::chatGPT));
}

}  // namespace
}  // namespace lumetta
