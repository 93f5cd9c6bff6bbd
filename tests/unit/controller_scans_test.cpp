// Mode scans, the label pass and its retry spacing, and the toolbar
// measurement, on the manual run loop.
#include <gtest/gtest.h>

#include <functional>

#include "overlay/controller_scans.h"
#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

using Scans = ControllerTest;

TEST_F(Scans, AButtonThatWentAwayChangesTheSignatureAndLeadsToARescan) {
  desktop.at(2).children("w2").ref("tb2").ref("a2");
  start();
  runUntil(1.9);
  ASSERT_EQ(logged("Window 2: observed"), 1);
  runUntil(2.6);
  EXPECT_EQ(logged("Window 2: observed Unknown (No semantic mode button); effective Codex"), 1);
  EXPECT_TRUE(entry(2)->buttons.empty());
}

// Refresh rescans every window at once, the retry spacing and dialogs
// notwithstanding: a mode button that appeared silently is read right away.
TEST_F(Scans, WindowsWithoutButtonsAreRetriedEveryThreeSecondsButDialogsNeverUnlessRefreshed) {
  desktop = DesktopBuilder();
  AppBuilder chat = desktop.app(501, "ChatGPT");
  chat.child("AXWindow", "w").subrole("AXStandardWindow");
  chat.child("AXWindow").subrole("AXDialog");
  desktop.at(9.7).children("w").button("Codex");
  start();
  runUntil(10);
  // Scanned at creation (0.5 s), then by the retry pass at 3.5, 6.5 and 9.5 s.
  EXPECT_EQ(logged("Window 1: observed"), 4);
  EXPECT_EQ(logged("Window 2: observed Unknown (Dialog excluded)"), 1);
  EXPECT_EQ(entry(2)->cache.explanation, "Dialog excluded");
  EXPECT_EQ(entry(1)->cache.effective(), WindowMode::unknown);
  controller->refresh();
  runFor(0.01);
  EXPECT_EQ(entry(1)->cache.effective(), WindowMode::codex);
  EXPECT_EQ(logged("Window 2: observed Unknown (Dialog excluded)"), 2);
}

TEST_F(Scans, ASecondScanWhileOneIsInFlightIsIgnoredAndAResultForARemovedEntryDropped) {
  desktop.at(1).terminate(501);
  start(true);
  runUntil(0.5);     // the gate opens; the census job waits
  loop().runJobs();  // the census job
  runUntil(0.5);     // its apply step creates both entries and queues their scans
  ASSERT_EQ(ids(), (std::vector<std::int64_t>{1, 2}));
  const std::size_t queued = loop().pendingJobs();
  controller->scan(*entry(1));
  controller->scan(*entry(2));
  EXPECT_EQ(loop().pendingJobs(), queued);
  runUntil(1.01);  // the process quits while its scans wait
  ASSERT_TRUE(ids().empty());
  loop().runJobs();
  runUntil(1.02);
  EXPECT_EQ(logged("observed"), 0);
}

// The toolbar measurement on a window at (100, 100), 800 wide, whose
// children `toolbars` makes, of an application answering each request after
// `latency` seconds; how long the measurement took when `took` is given.
double toolbarOf(const std::function<void(ElementBuilder)>& toolbars, double latency = 0,
                 Duration* took = nullptr) {
  DesktopBuilder desktop;
  toolbars(desktop.app(1)
               .latency(Duration::seconds(latency))
               .child("AXWindow", "w")
               .frame({100, 100, 800, 600}));
  auto platform = simulated(std::move(desktop));
  const Element window = elementById(*platform, "w");
  const Uptime start = platform->clock().uptime();
  const double height =
      measureToolbar(platform->accessibility(), platform->clock(), window, [] { return true; });
  if (took) *took = platform->clock().uptime() - start;
  return height;
}

// A toolbar at `frame`, and one at `inner` inside it when given.
std::function<void(ElementBuilder)> toolbar(ServerRect frame,
                                            std::optional<ServerRect> inner = {}) {
  return [=](ElementBuilder window) {
    ElementBuilder made = window.child("AXToolbar").frame(frame);
    if (inner) made.child("AXToolbar").frame(*inner);
  };
}

TEST(Toolbar, MeasuresTheFirstFittingToolbarFromTheWindowsTopEdge) {
  EXPECT_EQ(toolbarOf(toolbar({100, 100, 800, 52})), 52);
  // A bottom 10 points below the top edge gives the minimum.
  EXPECT_EQ(toolbarOf(toolbar({100, 100, 800, 10})), 24);
  // Too far down, or too narrow: ignored, and its children searched further.
  EXPECT_EQ(toolbarOf(toolbar({100, 230, 800, 40}, ServerRect{100, 110, 800, 30})), 40);
  EXPECT_EQ(toolbarOf(toolbar({100, 100, 300, 60}, ServerRect{100, 100, 400, 60})), 60);
  // No toolbar, a flat one, one above the window: the default.
  EXPECT_EQ(toolbarOf([](ElementBuilder window) { window.child("AXGroup"); }), 40);
  EXPECT_EQ(toolbarOf(toolbar({100, 100, 800, 8})), 40);
  EXPECT_EQ(toolbarOf(toolbar({100, 90, 800, 52})), 40);
}

// A slow application delays the window's mark by a third of a second at most.
TEST(Toolbar, StopsAfterFifteenHundredElementsOrAThirdOfASecond) {
  const auto afterGroups = [](int groups) {
    return [groups](ElementBuilder window) {
      for (int i = 0; i < groups; ++i) window.child("AXGroup");
      toolbar({100, 100, 800, 52})(window);
    };
  };
  EXPECT_EQ(toolbarOf(afterGroups(1'498)), 52);
  EXPECT_EQ(toolbarOf(afterGroups(1'499)), 40);
  Duration took;
  EXPECT_EQ(toolbarOf(afterGroups(100), 0.01, &took), 40);
  EXPECT_LT(took, Duration::seconds(0.35));
}

}  // namespace
}  // namespace lumetta::testing
