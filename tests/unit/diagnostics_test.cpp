// The tree capture's limits and the validation monitor's bookkeeping: window
// numbers, subscription reconciliation and coalesced discoveries.
#include <gtest/gtest.h>

#include <sstream>

#include "diagnostics/tree_capture.h"
#include "diagnostics/validation_monitor.h"
#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::AppBuilder;
using testing::DesktopBuilder;
using testing::ElementBuilder;
using testing::refsValue;
using testing::simulated;

// The capture's lines from the walk of the first window on.
std::string walkOf(const std::string& text) { return text.substr(text.find("\nwindow[0]") + 1); }

TEST(TreeCapture, DepthAndNodeLimitsEndTheWalkWithTheirLines) {
  DesktopBuilder desktop;
  ElementBuilder window = desktop.app(1, "ChatGPT").child("AXWindow");
  ElementBuilder group = window.child("AXGroup");
  group.child("AXButton");
  group.child("AXButton");
  window.child("AXGroup");
  auto platform = simulated(std::move(desktop));
  EXPECT_EQ(walkOf(capture(platform->platform(), 0, 500).text),
            "window[0]\n  AXRole: AXWindow\n  AXChildren count=2\n  <depth limit reached>\n");
  EXPECT_EQ(walkOf(capture(platform->platform(), 15, 1).text),
            "window[0]\n  AXRole: AXWindow\n  AXChildren count=2\n  <node limit reached>\n");
  // Every ancestor with children left over reports the limit as the walk unwinds.
  EXPECT_EQ(walkOf(capture(platform->platform(), 15, 3).text),
            "window[0]\n  AXRole: AXWindow\n  AXChildren count=2\n"
            "  window[0]/AXChildren[0]\n    AXRole: AXGroup\n    AXChildren count=2\n"
            "    window[0]/AXChildren[0]/AXChildren[0]\n      AXRole: AXButton\n      AXChildren "
            "count=0\n"
            "    <node limit reached>\n  <node limit reached>\n");
}

TEST(TreeCapture, SortsTheAttributeNamesThePlatformGivesInAnyOrder) {
  auto platform = simulated(R"({"apps": [{"pid": 1, "name": "ChatGPT", "ax": {"children": [
    {"role": "AXWindow", "title": "T", "attrs": {"AXZoomed": false, "AXMain": true},
     "errors": {"AXDescription": -25212}}]}}]})");
  EXPECT_NE(capture(platform->platform(), 15, 500)
                .text.find("\nExposed attribute names: AXChildren, AXDescription, AXMain, AXRole, "
                           "AXTitle, AXZoomed\n"),
            std::string::npos);
}

TEST(TreeCapture, NoTargetsGiveTheHeaderAndOneLine) {
  auto platform = simulated(
      R"({"clock": {"wallStart": "2025-01-31T09:15:00Z"}, "apps": [{"pid": 3, "name": "Finder"}]})");
  EXPECT_EQ(capture(platform->platform(), 15, 500).text,
            "Panescope \u00b7 2025-01-31T09:15:00Z\n"
            "Accessibility trusted: true\n"
            "AX coordinates: global desktop coordinates, origin at the upper-left of the primary "
            "display.\n"
            "Semantic AXPopUpButton classification; raw child limit 500, depth 15.\n"
            "Child titles/descriptions may contain conversation text. No AXValue content read.\n"
            "\n"
            "No matching running ChatGPT/Codex applications detected.");
}

struct Monitor {
  std::unique_ptr<sim::SimPlatform> platform;
  std::ostringstream out;
  std::unique_ptr<ValidationMonitor> monitor;

  explicit Monitor(DesktopBuilder desktop, bool sampleLabels = false)
      : platform(simulated(std::move(desktop))) {
    monitor = std::make_unique<ValidationMonitor>(platform->platform(), out, sampleLabels);
    monitor->start();
  }
  std::vector<std::string> linesWith(const std::string& text) const {
    std::vector<std::string> found;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
      if (line.find(text) != std::string::npos) found.push_back(line.substr(line.find(' ') + 1));
    }
    return found;
  }
  void runUntil(double t) { platform->manualRunLoop().runUntil(testing::atSecond(t)); }
};

TEST(ValidationMonitor, WindowsKeepTheirNumbersForTheSession) {
  DesktopBuilder desktop;
  AppBuilder codex = desktop.app(1, "Codex");
  codex.id("app").attr("AXWindows", refsValue({"w1"}));
  for (const char* id : {"w1", "w2", "w3"}) codex.child("AXWindow", id);
  desktop.at(1).set("app", "AXWindows", refsValue({"w2"})).notify("app", "AXWindowCreated");
  desktop.at(2).set("app", "AXWindows", refsValue({"w3", "w1"})).notify("app", "AXWindowCreated");
  Monitor m(std::move(desktop));
  m.runUntil(3);
  // w1 is 1, w2 is 2; w1 comes back as 1, and the new w3 takes 3. Each entry
  // into the requested set registers the window's eight notifications.
  EXPECT_EQ(m.linesWith("SUBSCRIBE window=").size(), 4u * 8);
  const auto snapshots = m.linesWith("pid=1 window=");
  EXPECT_EQ(snapshots,
            (std::vector<std::string>{"window=1 activeApp=false", "window=2 activeApp=false",
                                      "window=3 activeApp=false", "window=1 activeApp=false"}));
}

TEST(ValidationMonitor, AQuitProcessTakesItsWindowsAlongAndNoNumberComesBack) {
  DesktopBuilder desktop;
  desktop.app(1, "ChatGPT").child("AXWindow");
  for (double at : {1, 3}) {
    AppBuilder codex = desktop.at(at).launch(2, "Codex");
    codex.child("AXWindow");
    codex.child("AXWindow");
    desktop.at(at + 1).terminate(2);
  }
  Monitor m(std::move(desktop));
  m.runUntil(1.5);
  EXPECT_EQ(m.monitor->numberedWindows(), 3u);
  m.runUntil(2.5);
  EXPECT_EQ(m.monitor->numberedWindows(), 1u) << "the quit process's windows are forgotten";
  m.runUntil(3.5);
  EXPECT_EQ(m.monitor->numberedWindows(), 3u);
  m.runUntil(5);
  EXPECT_EQ(m.monitor->numberedWindows(), 1u);
  // The staying window keeps 1; the relaunch's windows get new numbers, never 2 or 3 again.
  EXPECT_EQ(
      m.linesWith("activeApp="),
      (std::vector<std::string>{
          "window=1 activeApp=false", "window=1 activeApp=false", "window=2 activeApp=false",
          "window=3 activeApp=false", "window=1 activeApp=false", "window=1 activeApp=false",
          "window=4 activeApp=false", "window=5 activeApp=false", "window=1 activeApp=false"}));
}

TEST(ValidationMonitor, AClosedWindowOfARunningProcessIsForgottenAndItsNumberNotReused) {
  DesktopBuilder desktop;
  AppBuilder codex = desktop.app(1, "Codex");
  codex.id("app").child("AXWindow", "w1");
  codex.child("AXWindow", "w2");
  desktop.at(1).children("app").ref("w1");
  desktop.at(1).notify("app", "AXWindowCreated");
  desktop.at(2).children("app").ref("w1").child("AXWindow");
  desktop.at(2).notify("app", "AXWindowCreated");
  Monitor m(std::move(desktop));
  m.runUntil(0.5);
  EXPECT_EQ(m.monitor->numberedWindows(), 2u);
  m.runUntil(1.5);
  EXPECT_EQ(m.monitor->numberedWindows(), 1u) << "the closed window's number goes";
  m.runUntil(3);
  EXPECT_EQ(m.monitor->numberedWindows(), 2u);
  EXPECT_EQ(m.linesWith("activeApp="),
            (std::vector<std::string>{"window=1 activeApp=false", "window=2 activeApp=false",
                                      "window=1 activeApp=false", "window=1 activeApp=false",
                                      "window=3 activeApp=false"}));
}

TEST(ValidationMonitor, ReconcilesSubscriptionsAndDoesNotRetryFailedOnes) {
  DesktopBuilder desktop;
  desktop.app(1, "ChatGPT")
      .child("AXWindow", "w")
      .child("AXPopUpButton", "b")
      .title(testing::modeLabel("ChatGPT"))
      .notificationError("AXLayoutChanged", axerr::notificationUnsupported);
  desktop.at(1).notify("w", "AXMoved");
  desktop.at(2).children("w");
  desktop.at(2).notify("w", "AXLayoutChanged");
  Monitor m(std::move(desktop));
  const auto& counters = m.platform->desktop().counters();
  m.runUntil(1.5);
  // The same windows again: nothing added, the failed registration not retried.
  EXPECT_EQ(
      m.linesWith("SUBSCRIBE mode-button window=1 AXLayoutChanged"),
      std::vector<std::string>{"SUBSCRIBE mode-button window=1 AXLayoutChanged AXError=-25207"});
  EXPECT_EQ(m.linesWith("SCAN ").size(), 2u);
  EXPECT_EQ(counters.observerCalls(AXNotification::valueChanged), 1u);

  m.runUntil(3);  // the button is gone: its registrations are removed, silently
  EXPECT_EQ(counters.observerCalls(AXNotification::valueChanged), 2u);
  EXPECT_EQ(m.linesWith("SUBSCRIBE").size(), 7u + 8u + 5u);
  m.monitor->stop();
  EXPECT_EQ(m.linesWith("STOP").size(), 1u);
}

TEST(ValidationMonitor, ABurstOfNotificationsIsOneDiscovery) {
  DesktopBuilder desktop;
  desktop.app(1, "ChatGPT").child("AXWindow", "w");
  for (int i = 0; i < 100; ++i) {
    desktop.at(1 + i * 0.00099).notify("w", i % 2 ? "AXMoved" : "AXResized");
  }
  Monitor m(std::move(desktop));
  m.runUntil(2);
  EXPECT_EQ(m.linesWith("NOTIFICATION ").size(), 100u);
  EXPECT_EQ(
      m.linesWith("SCAN "),
      (std::vector<std::string>{"SCAN reason=startup duration=0.0ms windows=1",
                                "SCAN reason=notification AXResized duration=0.0ms windows=1"}));
}

TEST(ValidationMonitor, WorkspaceLinesFollowTheTargetsThatDiscoveryFinds) {
  DesktopBuilder desktop;
  desktop.app(9, "Finder");
  desktop.at(1).launch(20, "Helper", "com.openai.ChatGPT");
  desktop.at(2).launch(21, "ChatGPT", "org.example.other");
  desktop.at(3).launch(22, "Notes", "com.example.notes");
  desktop.at(4).terminate(20);
  Monitor m(std::move(desktop));
  m.runUntil(5);
  EXPECT_EQ(m.linesWith("WORKSPACE"),
            (std::vector<std::string>{
                "WORKSPACE NSWorkspaceDidLaunchApplicationNotification pid=20",
                "WORKSPACE NSWorkspaceDidLaunchApplicationNotification pid=21",
                "WORKSPACE NSWorkspaceDidTerminateApplicationNotification pid=20"}));
  EXPECT_EQ(m.linesWith("SCAN ").size(), 4u) << "the start and one per target's launch or quit";
  EXPECT_EQ(m.linesWith("OBSERVER"),
            (std::vector<std::string>{"OBSERVER pid=20 AXError=0", "OBSERVER pid=21 AXError=0"}));
  EXPECT_TRUE(m.linesWith("CLASSIFICATION SNAPSHOT").empty());
}

}  // namespace
}  // namespace lumetta
