// The simulated desktop's timeline and the workspace notifications it posts.
#include <gtest/gtest.h>

#include "power/overlay_activity_gate.h"
#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::atSecond;
using testing::elementById;
using testing::simulated;

struct Recorder {
  std::vector<std::string> heard;
  std::vector<Registration> registrations;
  explicit Recorder(NotificationCenter& center) {
    for (int n = 0; n <= int(WorkspaceNotification::sessionDidBecomeActive); ++n) {
      auto name = WorkspaceNotification(n);
      registrations.push_back(center.addObserver(name, [this](const Notification& note) {
        heard.push_back(std::string(notificationName(note.name)) +
                        (note.application ? " " + std::to_string(note.application->pid) : ""));
      }));
    }
  }
};

const char* kStory = R"({
  "displays": [{"frame": [0, 0, 1000, 800]}, {"frame": [1000, 0, 800, 600], "asleep": true}],
  "apps": [{"pid": 501, "name": "ChatGPT", "active": true, "ax": {"role": "AXApplication", "children": [
      {"id": "w", "role": "AXWindow", "frame": [0, 0, 10, 10], "window": 7, "children": [
        {"id": "old", "role": "AXGroup", "children": [{"id": "deep", "role": "AXButton"}]}]}]}}],
  "windows": [{"number": 9, "pid": 600, "layer": 0, "bounds": [0, 0, 50, 50]},
              {"number": 7, "pid": 501, "layer": 0, "bounds": [0, 0, 10, 10]}],
  "timeline": [
    {"at": 1, "move": {"window": 7, "bounds": [20, 30, 400, 300]}},
    {"at": 1, "raise": 7},
    {"at": 2, "launch": {"pid": 600, "name": "Codex", "ax": {"role": "AXApplication"}}},
    {"at": 2, "activate": 600},
    {"at": 3, "children": {"element": "w", "value": [{"id": "new", "role": "AXGroup"}]}},
    {"at": 3, "set": {"element": "w", "attribute": "AXTitle", "value": "Renamed"}},
    {"at": 4, "power": "screensSleep"}, {"at": 4, "power": "sessionResign"},
    {"at": 5, "power": "screensWake"}, {"at": 5, "power": "sessionActive"},
    {"at": 5, "power": "sleep"}, {"at": 5, "power": "wake"}, {"at": 5, "power": "spaceChange"},
    {"at": 6, "hang": {"pid": 501, "hung": true}},
    {"at": 7, "trusted": false},
    {"at": 8, "terminate": 501}]})";

std::vector<std::int64_t> windowNumbers(WindowServer& server) {
  std::vector<std::int64_t> numbers;
  const auto list = server.copyWindowList();
  for (const RawValue& entry : *list->get<RawArray>()) {
    numbers.push_back(*find(*entry.get<RawDictionary>(), "kCGWindowNumber")->get<std::int64_t>());
  }
  return numbers;
}

TEST(Timeline, ChangesTheDesktopAtEachEventsTimeAndAnnouncesIt) {
  auto platform = simulated(kStory);
  auto& loop = platform->manualRunLoop();
  Accessibility& ax = platform->accessibility();
  WindowServer& server = platform->windowServer();
  Recorder recorder(platform->workspace().notificationCenter());
  Element window = elementById(*platform, "w");

  loop.runUntil(atSecond(0.5));
  EXPECT_EQ(windowNumbers(server), (std::vector<std::int64_t>{9, 7}));

  loop.runUntil(atSecond(1));
  EXPECT_EQ(windowNumbers(server), (std::vector<std::int64_t>{7, 9}));
  EXPECT_EQ(readAX(ax, window, "AXPosition").value, Value(Point{20, 30}));
  EXPECT_EQ(readAX(ax, window, "AXSize").value, Value(Size{400, 300}));
  EXPECT_EQ(server.windowNumberAtPoint({25, 800 - 35}), 7);  // AppKit y grows upwards

  loop.runUntil(atSecond(2));
  EXPECT_EQ(recorder.heard,
            std::vector<std::string>{"NSWorkspaceDidLaunchApplicationNotification 600"});
  auto apps = platform->workspace().runningApplications();
  ASSERT_EQ(apps.size(), 2u);
  EXPECT_FALSE(apps[0].active);
  EXPECT_TRUE(apps[1].active);

  Element old = elementById(*platform, "old");
  Element deep = elementById(*platform, "deep");
  loop.runUntil(atSecond(3));
  EXPECT_EQ(readAX(ax, old, "AXRole").error, axerr::invalidUIElement);
  EXPECT_EQ(readAX(ax, deep, "AXRole").error, axerr::invalidUIElement);
  EXPECT_EQ(axElements(ax, window, "AXChildren"),
            std::vector<Element>{elementById(*platform, "new")});
  EXPECT_EQ(axString(ax, window, "AXTitle"), "Renamed");

  EXPECT_TRUE(OverlayActivityGate::hasAwakeDisplay(server));
  loop.runUntil(atSecond(4));
  EXPECT_FALSE(OverlayActivityGate::hasAwakeDisplay(server));
  EXPECT_FALSE(OverlayActivityGate::sessionOnConsole(server));

  loop.runUntil(atSecond(5));
  EXPECT_TRUE(OverlayActivityGate::hasAwakeDisplay(server));
  EXPECT_TRUE(OverlayActivityGate::sessionOnConsole(server));
  EXPECT_EQ(
      recorder.heard,
      (std::vector<std::string>{
          "NSWorkspaceDidLaunchApplicationNotification 600",
          "NSWorkspaceScreensDidSleepNotification", "NSWorkspaceSessionDidResignActiveNotification",
          "NSWorkspaceScreensDidWakeNotification", "NSWorkspaceSessionDidBecomeActiveNotification",
          "NSWorkspaceWillSleepNotification", "NSWorkspaceDidWakeNotification",
          "NSWorkspaceActiveSpaceDidChangeNotification"}));

  Element app = ax.applicationElement(501);
  ax.setMessagingTimeout(app, Duration::seconds(0.25));
  loop.runUntil(atSecond(6));
  const Uptime before = platform->clock().uptime();
  EXPECT_EQ(readAX(ax, app, "AXRole").error, axerr::cannotComplete);
  EXPECT_DOUBLE_EQ((platform->clock().uptime() - before).inSeconds(), 0.25);

  loop.runUntil(atSecond(7.5));
  EXPECT_FALSE(ax.isProcessTrusted());
  EXPECT_EQ(readAX(ax, app, "AXRole").error, axerr::apiDisabled);

  loop.runUntil(atSecond(8));
  EXPECT_EQ(recorder.heard.back(), "NSWorkspaceDidTerminateApplicationNotification 501");
  EXPECT_EQ(windowNumbers(server), std::vector<std::int64_t>{9});
  EXPECT_EQ(platform->workspace().runningApplications().size(), 1u);
  platform->desktop().setTrusted(true);
  EXPECT_EQ(readAX(ax, window, "AXRole").error, axerr::invalidUIElement);
}

TEST(Timeline, ARelaunchUnderTheSamePidIsANewApplication) {
  auto platform = simulated(
      R"({"apps": [{"pid": 5, "name": "ChatGPT", "ax": {"id": "first", "role": "AXApplication"}}],
      "timeline": [{"at": 1, "terminate": 5},
                   {"at": 2, "launch": {"pid": 5, "name": "ChatGPT", "ax": {"id": "second", "role": "AXApplication"}}}]})");
  Accessibility& ax = platform->accessibility();
  Element before = ax.applicationElement(5);
  platform->manualRunLoop().runUntil(atSecond(2));
  Element after = ax.applicationElement(5);
  EXPECT_FALSE(before == after);
  EXPECT_EQ(readAX(ax, before, "AXRole").error, axerr::invalidUIElement);
  EXPECT_EQ(axString(ax, after, "AXRole"), "AXApplication");
}

TEST(NotificationCenter, RegistrationsEndWhenReleasedEvenMidDelivery) {
  auto platform = simulated("{}");
  NotificationCenter center(platform->runLoop());
  int first = 0, second = 0;
  Registration later;
  auto earlier = center.addObserver(WorkspaceNotification::didWake, [&](const Notification&) {
    ++first;
    later.remove();
  });
  later =
      center.addObserver(WorkspaceNotification::didWake, [&](const Notification&) { ++second; });
  center.post({WorkspaceNotification::didWake, std::nullopt});
  center.post({WorkspaceNotification::willSleep, std::nullopt});
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
  {
    NotificationCenter shortLived(platform->runLoop());
    later = shortLived.addObserver(WorkspaceNotification::didWake, [](const Notification&) {});
  }
  later.remove();  // the centre is gone; nothing to do
}

}  // namespace
}  // namespace lumetta
