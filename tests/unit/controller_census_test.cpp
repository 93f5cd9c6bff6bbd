// The census, the observer and its subscriptions, notification dispatch and
// removal, on the manual run loop.
#include <gtest/gtest.h>

#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

using Census = ControllerTest;

// The windows of the earlier launch go even while the new one's window list
// cannot be read yet: no mark stays from the earlier launch.
TEST_F(Census, RelaunchUnderTheSamePidStartsEveryWindowAfresh) {
  AppBuilder again = desktop.at(2).launch(501, "ChatGPT", "com.openai.chat");
  again.launched("2026-12-01T09:00:02Z").id("again").error("AXWindows", axerr::cannotComplete);
  again.window("n1", "Codex", {100, 100, 800, 600}, 11);
  desktop.at(4).set("again", "AXWindows", refsValue({"wn1"}));
  start();
  runFor(1.5);
  ASSERT_EQ(ids(), (std::vector<std::int64_t>{1, 2}));
  runFor(1.5);
  EXPECT_TRUE(ids().empty());
  EXPECT_TRUE(platform->panels().visiblePanels().empty());
  EXPECT_EQ(logged("removed; cached mode discarded"), 2);
  EXPECT_EQ(controller->trackedProcesses(), (std::vector<Pid>{501}));
  runFor(2);
  EXPECT_EQ(ids(), (std::vector<std::int64_t>{3}));
  EXPECT_TRUE(shown(3));
}

// A launch and a change of Space each take a census at once, not at the next
// tick of its timer: a window they bring is tracked right away.
TEST_F(Census, LaunchesAndSpaceChangesTakeACensusAtOnce) {
  desktop.at(2.3).launch(612, "Codex").id("codex").window("9", "Codex", {900, 300, 500, 400}, 19);
  desktop.at(3.3).children("codex").ref("w9").window("10", "Codex", {0, 300, 500, 400}, 20);
  desktop.at(3.3).power(sim::PowerAction::spaceChange);
  start();
  runUntil(2.31);
  EXPECT_EQ(ids(), (std::vector<std::int64_t>{1, 2, 3}));
  runUntil(3.31);
  EXPECT_EQ(ids(), (std::vector<std::int64_t>{1, 2, 3, 4}));
}

TEST_F(Census, DisablingBothModesHidesPanelsButKeepsTheCaches) {
  start();
  runFor(1.5);
  ASSERT_TRUE(shown(2));
  controller->setAppearance(WindowMode::codex, &ModeAppearance::enabled, false);
  EXPECT_FALSE(shown(2));
  platform->desktop().counters().reset();
  runFor(3);  // censuses and label passes run but ask the applications nothing
  EXPECT_EQ(platform->desktop().counters().roundTrips(), 0u);
  EXPECT_EQ(ids(), (std::vector<std::int64_t>{1, 2}));
  EXPECT_TRUE(controller->summary().find("Codex: Off") != std::string::npos);
  controller->setAppearance(WindowMode::codex, &ModeAppearance::enabled, true);
  runFor(0.1);
  EXPECT_TRUE(shown(2));
  EXPECT_EQ(entry(2)->cache.effective(), WindowMode::codex);
}

TEST_F(Census, NotificationsRemoveOnlyWindowsAndRescanWhatTheyConcern) {
  desktop.at(2).label("b1", "Codex", true);
  desktop.at(3).notify("b1", "AXUIElementDestroyed");
  desktop.at(4).notify("w2", "AXUIElementDestroyed");
  start();
  runUntil(2.01);  // before the label pass could notice
  EXPECT_EQ(entry(1)->cache.effective(), WindowMode::codex);
  runUntil(3.01);
  EXPECT_NE(entry(1), nullptr);  // a destroyed button is not a destroyed window
  runUntil(4.01);
  EXPECT_EQ(ids(), (std::vector<std::int64_t>{1}));
}

TEST_F(Census, ObserverFailuresAreRetried) {
  codexApp(desktop, "c", {0, 0, 500, 400}, 30).observerError(axerr::cannotComplete);
  start();
  runFor(3.2);
  EXPECT_FALSE(controller->hasObserver(612));
  EXPECT_GE(logged("Observer pid=612 failed: -25204"), 3);  // once per census
  EXPECT_EQ(ids().size(), 3u);                              // tracked all the same
}

// Without a window to track the geometry and label passes have nothing to do,
// and their timers wake nobody; the census still looks once a second. The
// census that finds a window starts them again: a window moved without a
// notification is followed at the next tick, a label changed silently is
// read within half a second.
TEST_F(Census, PassesOverWindowsIdleUntilACensusFindsOne) {
  const RawArray windows = controllerDesktop().model().windows;
  desktop = DesktopBuilder();
  desktop.app(300, "Finder");
  AppBuilder chat = desktop.at(12.3).launch(501, "ChatGPT");
  chat.window("1", "ChatGPT", {100, 100, 800, 600}, 11);
  chat.window("2", "Codex", {300, 200, 800, 600}, 12);
  desktop.at(12.3).windows(windows);
  desktop.at(13).move(12, {320, 200, 800, 600});
  desktop.at(14.05).label("b2", "ChatGPT");
  start();
  auto firings = [&] {
    std::vector<int> counts;
    for (const auto& timer : recording->timers()) counts.push_back(timer.firings);
    return counts;
  };
  runUntil(2);
  const std::vector<int> before = firings();  // geometry, census, labels
  ASSERT_EQ(before.size(), 3u);
  runUntil(12);
  EXPECT_EQ(firings(), (std::vector<int>{before[0], before[1] + 10, before[2]}));

  runUntil(13.02);
  ASSERT_TRUE(shown(2));
  EXPECT_EQ(entry(2)->panel->window().frame(), (ScreenRect{320, 182, 800, 600}));
  runUntil(14.55);
  EXPECT_EQ(entry(2)->cache.effective(), WindowMode::chatGPT);
}

TEST_F(Census, TwoHandlesOfOneWindowAreOneEntry) {
  desktop = DesktopBuilder();
  AppBuilder chat = desktop.app(501, "ChatGPT");
  chat.child("AXWindow", "w");
  chat.attr("AXWindows", refsValue({"w", "w"}));
  start();
  runFor(1.5);
  EXPECT_EQ(ids(), (std::vector<std::int64_t>{1}));
}

}  // namespace
}  // namespace lumetta::testing
