// Mapping, covers, shared mappings, styling per mode, ordering and fading of
// the panels, on the manual run loop.
#include <gtest/gtest.h>

#include "geometry/window_frame.h"
#include "overlay/controller_geometry.h"
#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

using Geometry = ControllerTest;

// w1 covers the lower part of w2 but not its toolbar strip; Lumetta's own
// window (pid 900) lies in front of everything.
TEST_F(Geometry, OnlyOtherApplicationsWindowsCoverAndTheStyleDecidesTheRegion) {
  desktop = controllerDesktop({100, 400, 800, 500});
  desktop.model().windows = {serverWindow(99, 900, {0, 0, 1512, 982}),
                             serverWindow(11, 501, {100, 400, 800, 500}),
                             serverWindow(12, 501, {300, 200, 800, 600})};
  start();
  runFor(1.5);
  Entry& codex = *entry(2);
  EXPECT_EQ(codex.placement, "Visible");  // the top bar's strip is clear
  ASSERT_TRUE(shown(2));
  EXPECT_EQ(codex.panel->window().frame(), (ScreenRect{300, 182, 800, 600}));
  EXPECT_EQ(codex.panel->layer().visibleRegions(), (std::vector<Rect>{{0, 548, 800, 52}}));
  EXPECT_EQ(codex.panel->layer().barHeight(), 52);
  controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::border);
  runFor(0.05);
  EXPECT_EQ(codex.placement, "Partially visible");
  EXPECT_EQ(codex.panel->layer().style(), OverlayStyle::border);
  EXPECT_EQ(codex.panel->layer().visibleRegions().size(), 2u);
}

TEST_F(Geometry, FramesWithinTwoPointsMatchAndOneMoreDoesNot) {
  desktop.model().windows = {serverWindow(11, 501, {102, 98, 802, 598}),
                             serverWindow(12, 501, {303, 200, 800, 600})};
  start();
  runFor(1.5);
  EXPECT_EQ(entry(1)->serverID, 11);
  EXPECT_EQ(entry(1)->placement, "Visible");
  EXPECT_EQ(entry(2)->serverID, std::nullopt);
  EXPECT_EQ(entry(2)->placement, "Offscreen/other Space/hidden");
  EXPECT_FALSE(shown(2));
}

TEST_F(Geometry, TwoWindowsOnOneServerWindowBothLoseTheMapping) {
  desktop = controllerDesktop({300, 200, 800, 600});
  desktop.model().windows = {serverWindow(12, 501, {300, 200, 800, 600})};
  start();
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
  runFor(1.5);
  for (std::int64_t id : {1, 2}) {
    EXPECT_EQ(entry(id)->placement, "Shared window-server mapping; resolving again");
    EXPECT_EQ(entry(id)->serverID, std::nullopt);
    EXPECT_FALSE(shown(id));
  }
}

// Why a window shows no mark: its top bar is behind another application's
// window, two window-server windows fit its frame, or its frame cannot be read.
TEST_F(Geometry, PlacementSaysWhyAWindowIsNotMarked) {
  codexApp(desktop, "9", {900, 300, 500, 400}, 19);
  desktop.element("w9").error("AXPosition", axerr::cannotComplete);
  desktop.defaults("gptEnabled", true).model().windows = {
      serverWindow(99, 300, {250, 150, 900, 200}), serverWindow(11, 501, {100, 100, 800, 600}),
      serverWindow(13, 501, {101, 99, 800, 600}), serverWindow(12, 501, {300, 200, 800, 600}),
      serverWindow(19, 612, {900, 300, 500, 400})};
  start();
  runFor(1.5);
  ASSERT_EQ(ids(), (std::vector<std::int64_t>{1, 2, 3}));
  EXPECT_EQ(entry(1)->placement, "Ambiguous window-server mapping");
  EXPECT_FALSE(shown(1));
  EXPECT_EQ(entry(2)->placement, "Fully covered");
  ASSERT_TRUE(entry(2)->panel);
  EXPECT_TRUE(entry(2)->panel->layer().visibleRegions().empty());
  EXPECT_EQ(entry(3)->placement, "Geometry unavailable");
  EXPECT_FALSE(shown(3));
}

TEST_F(Geometry, PanelsAreOrderedBackToFrontAndFollowTheStacking) {
  desktop.at(2).raise(12);
  start();
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
  runFor(1.5);
  ASSERT_TRUE(shown(1) && shown(2));
  EXPECT_EQ(platform->panels().visiblePanels().back(), &entry(1)->panel->window());
  EXPECT_EQ(entry(2)->placement, "Partially visible");
  runFor(1);
  EXPECT_EQ(entry(2)->placement, "Visible");  // raised: nothing in front of it any more
}

TEST_F(Geometry, ABorderFadesOutWhileItsWindowIsDraggedAndBackInAfterwards) {
  for (int step = 0; step < 3; ++step) {
    desktop.at(2 + 0.1 * step).drag(12, "w2", {310.0 + 10 * step, 200, 800, 600});
  }
  start();
  controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::border);
  runUntil(1.9);
  Panel& panel = entry(2)->panel->window();
  EXPECT_EQ(panel.alpha(), 1.0);
  runUntil(2.035);
  // The frame follows within one pass; the border fades out over 0.07 seconds.
  EXPECT_EQ(panel.frame(), (ScreenRect{310, 182, 800, 600}));
  EXPECT_EQ(entry(2)->fadeTarget, 0.0);
  EXPECT_NEAR(panel.alpha(), 0.5, 0.01);
  runUntil(2.3);
  EXPECT_EQ(panel.frame(), (ScreenRect{330, 182, 800, 600}));
  EXPECT_EQ(panel.alpha(), 0.0);
  runUntil(2.39);  // still within 0.2 seconds of the last movement
  EXPECT_EQ(entry(2)->fadeTarget, 0.0);
  // At the first pass after that, the border fades back in over 0.18 seconds.
  while (entry(2)->fadeTarget != 1.0 && platform->clock().uptime() < atSecond(2.5)) runFor(0.001);
  ASSERT_EQ(entry(2)->fadeTarget, 1.0);
  const Uptime settled = platform->clock().uptime();  // at most a millisecond after the pass
  loop().runUntil(settled + Duration::seconds(0.09));
  EXPECT_NEAR(panel.alpha(), 0.5, 0.01);
  loop().runUntil(settled + Duration::seconds(0.18));
  EXPECT_EQ(panel.alpha(), 1.0);
}

TEST_F(Geometry, TopBarsFollowWithoutFading) {
  desktop.at(2).drag(12, "w2", {0, 0, 800, 600});
  start();
  runUntil(2.02);
  EXPECT_EQ(entry(2)->panel->window().frame(), (ScreenRect{0, 382, 800, 600}));
  EXPECT_EQ(entry(2)->panel->window().alpha(), 1.0);
  EXPECT_EQ(entry(2)->fadeTarget, 1.0);
}

TEST(PlaceWindows, AnExpiredTokenFailsTheRemainingItems) {
  auto platform = simulated(controllerDesktop());
  std::vector<GeometryItem> items = {{1, 501, elementById(*platform, "w1"), 11, 40, true},
                                     {2, 501, elementById(*platform, "w2"), 12, 40, true}};
  const std::vector<ServerWindow> servers = visibleServerWindows(platform->windowServer());
  int asked = 0;
  auto placements = placeWindows(platform->accessibility(), servers, items, 982, 900,
                                 [&] { return ++asked == 1; });
  ASSERT_EQ(placements.size(), 2u);
  EXPECT_TRUE(placements[0].server.has_value());
  EXPECT_FALSE(placements[1].server.has_value());
  EXPECT_FALSE(placements[1].rect.has_value());
}

}  // namespace
}  // namespace lumetta::testing

namespace lumetta::testing {
namespace {

// The same controller on real threads: each queue's jobs on its own thread,
// their results on the main thread (what the thread sanitizer checks).
TEST(ThreadedOverlayController, TracksAndMarksWindowsFromItsOwnThreads) {
  sim::SimPlatform platform(controllerDesktop().build(), sim::TimeSource::real);
  auto controller = OverlayController::create(platform.platform());
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
  auto bothShown = [&] {
    int shown = 0;
    for (const auto& entry : controller->entries()) {
      shown += entry->panel && entry->panel->window().isVisible();
    }
    return shown == 2;
  };
  EXPECT_TRUE(
      platform.runLoop().spinUntil(platform.clock().uptime() + Duration::seconds(10), bothShown));
  // Registrations are made on their own queue and come back to the main thread.
  EXPECT_TRUE(platform.runLoop().spinUntil(platform.clock().uptime() + Duration::seconds(10), [&] {
    const auto* subscriptions = controller->subscriptions(501);
    return subscriptions && !subscriptions->empty();
  }));
  controller->refresh();
  platform.runLoop().spinUntil(platform.clock().uptime() + Duration::seconds(0.3));
  controller.reset();  // released on the main thread while jobs may still run
}

}  // namespace
}  // namespace lumetta::testing
