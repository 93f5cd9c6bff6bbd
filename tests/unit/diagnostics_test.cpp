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

// The depth limit's line is pinned by the dump-limits end-to-end case.
TEST(TreeCapture, EveryAncestorWithChildrenLeftReportsTheNodeLimit) {
  DesktopBuilder desktop;
  ElementBuilder window = desktop.app(1, "ChatGPT").child("AXWindow");
  ElementBuilder group = window.child("AXGroup");
  group.child("AXButton");
  group.child("AXButton");
  window.child("AXGroup");
  auto platform = simulated(std::move(desktop));
  const std::string text = capture(platform->platform(), 15, 3).text;
  EXPECT_EQ(text.substr(text.find("\nwindow[0]") + 1),
            "window[0]\n  AXRole: AXWindow\n  AXChildren count=2\n"
            "  window[0]/AXChildren[0]\n    AXRole: AXGroup\n    AXChildren count=2\n"
            "    window[0]/AXChildren[0]/AXChildren[0]\n      AXRole: AXButton\n      AXChildren "
            "count=0\n"
            "    <node limit reached>\n  <node limit reached>\n");
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

TEST(ValidationMonitor, ClosedAndQuitWindowsAreForgottenAndNoNumberComesBack) {
  DesktopBuilder desktop;
  AppBuilder chatGPT = desktop.app(1, "ChatGPT");
  chatGPT.id("app").child("AXWindow", "w1");
  chatGPT.child("AXWindow", "w2");
  desktop.at(0.5).children("app").ref("w1");
  desktop.at(0.5).notify("app", "AXWindowCreated");
  for (double at : {1, 3}) {
    AppBuilder codex = desktop.at(at).launch(2, "Codex");
    codex.child("AXWindow");
    codex.child("AXWindow");
    desktop.at(at + 1).terminate(2);
  }
  Monitor m(std::move(desktop));
  for (const auto& [until, numbered] :
       {std::pair{0.25, 2u}, std::pair{0.75, 1u}, std::pair{1.5, 3u}, std::pair{2.5, 1u},
        std::pair{3.5, 3u}, std::pair{5.0, 1u}}) {
    m.runUntil(until);
    EXPECT_EQ(m.monitor->numberedWindows(), numbered) << "at " << until;
  }
  // w1 keeps 1; the relaunch's windows get new numbers, never 2, 3 or 4 again.
  EXPECT_EQ(m.linesWith("activeApp="),
            (std::vector<std::string>{
                "window=1 activeApp=false", "window=2 activeApp=false", "window=1 activeApp=false",
                "window=1 activeApp=false", "window=3 activeApp=false", "window=4 activeApp=false",
                "window=1 activeApp=false", "window=1 activeApp=false", "window=5 activeApp=false",
                "window=6 activeApp=false", "window=1 activeApp=false"}));
}

// That the same windows again add nothing and a failed registration is not
// retried, the watch-faults end-to-end case shows.
TEST(ValidationMonitor, SilentlyRemovesTheRegistrationsOfAButtonThatIsGone) {
  DesktopBuilder desktop;
  desktop.app(1, "ChatGPT")
      .child("AXWindow", "w")
      .child("AXPopUpButton", "b")
      .title(testing::modeLabel("ChatGPT"));
  desktop.at(2).children("w");
  desktop.at(2).notify("w", "AXLayoutChanged");
  Monitor m(std::move(desktop));
  const auto& counters = m.platform->desktop().counters();
  m.runUntil(1.5);
  EXPECT_EQ(counters.observerCalls(AXNotification::valueChanged), 1u);
  m.runUntil(3);
  EXPECT_EQ(counters.observerCalls(AXNotification::valueChanged), 2u);
  EXPECT_EQ(m.linesWith("SUBSCRIBE").size(), 7u + 8u + 5u);
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
}

}  // namespace
}  // namespace lumetta
