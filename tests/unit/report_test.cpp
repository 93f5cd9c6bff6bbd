#include "classify/report.h"

#include <gtest/gtest.h>

#include "classify/attribute_text.h"
#include "classify/target_apps.h"
#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::elementById;
using testing::simulated;

// The forms the dump shows, and the error lines, are pinned by the dump-* and
// classify-* end-to-end cases; these are the rest.
TEST(Describe, GivesEveryValueFormOnOneLine) {
  auto platform =
      simulated(R"({"apps": [{"pid": 1, "ax": {"id": "a", "role": "AXApplication"}}]})");
  Element element = elementById(*platform, "a");
  EXPECT_EQ(describe(ValueArray{}), "<0 AX elements>");
  EXPECT_EQ(describe(ValueArray{std::string("a"), element}), "(\\n    a,\\n    <AXUIElement>\\n)");
  EXPECT_EQ(describe(std::int64_t{42}), "42");
  EXPECT_EQ(describe(1.5), "1.5");
  EXPECT_EQ(describe(Rect{1, 2, 3, 4}), "{{1, 2}, {3, 4}}");
  EXPECT_EQ(describe(Range{0, 5}), "{0, 5}");
  EXPECT_EQ(describe(Other{"<AXTextMarker>"}), "<AXTextMarker>");
  EXPECT_EQ(describe(Null{}), "<null>");
}

TEST(AttributeLine, NamesTheDocumentedErrorsOnly) {
  EXPECT_EQ(attributeLine("AXHelp", ReadResult{std::nullopt, -1}),
            "AXHelp: <AXError -1 kAXErrorUnknown>");
  // The documented codes run from -25200 to -25214; their neighbours are unknown.
  EXPECT_EQ(axErrorName(-25200), "kAXErrorFailure");
  EXPECT_EQ(axErrorName(-25214), "kAXErrorNotEnoughPrecision");
  EXPECT_EQ(axErrorName(-25199), "kAXErrorUnknown");
  EXPECT_EQ(axErrorName(-25215), "kAXErrorUnknown");
}

TEST(TargetApps, MatchesBundleOrNameAndSortsByPid) {
  auto platform = simulated(R"({"apps": [
      {"pid": 900, "name": "ChatGPT", "bundle": "org.example.fake"},
      {"pid": 50, "name": "Whatever", "bundle": "com.openai.chat"},
      {"pid": 70, "name": "Codex"},
      {"pid": 60, "bundle": "com.openai.ChatGPT"},
      {"pid": 10, "name": "chatgpt", "bundle": "com.openai.Chat"},
      {"pid": 20}]})");
  std::vector<Pid> pids;
  for (const auto& app : targetApps(platform->platform().workspace)) pids.push_back(app.pid);
  EXPECT_EQ(pids, (std::vector<Pid>{50, 60, 70, 900}));
}

TEST(ModeSummary, JoinsTheSidebarLabels) {
  ModeScan scan;
  scan.sidebarLabels = {"Hide sidebar", "Show sidebar"};
  EXPECT_NE(
      modeSummary(scan).find("\nSidebar controls (diagnostic only): Hide sidebar, Show sidebar"),
      std::string::npos);
}

TEST(FocusSummary, ANullWindowIsUnavailableWithoutAnError) {
  auto platform = simulated(R"({"apps": [{"pid": 1, "ax": {"role": "AXApplication",
      "attrs": {"AXFocusedWindow": {"ref": "w1"}, "AXMainWindow": null},
      "children": [{"id": "w1", "role": "AXWindow"}, {"id": "w2", "role": "AXWindow"}]}}]})");
  Accessibility& ax = platform->accessibility();
  Element app = ax.applicationElement(1);
  EXPECT_EQ(focusSummary(ax, app, elementById(*platform, "w2")),
            "AXFocusedWindow match: false\nAXMainWindow match: unavailable error=0");
}

TEST(ClassificationSnapshot, UnreadableWindowListsAndHungAppsDoNotStopTheReport) {
  auto platform = simulated(R"({"clock": {"wallStart": "2025-01-31T09:15:00Z"}, "apps": [
      {"pid": 9, "name": "Codex", "hung": true},
      {"pid": 8, "bundle": "com.openai.chat", "ax": {"role": "AXApplication", "errors": {"AXWindows": -25212}}},
      {"pid": 7, "name": "ChatGPT", "ax": {"role": "AXApplication", "attrs": {"AXWindows": "oops"}}}]})");
  const Uptime start = platform->clock().uptime();
  EXPECT_EQ(classificationSnapshot(platform->platform()),
            "2025-01-31T09:15:00Z trusted=true\n"
            "APP ChatGPT pid=7 bundle=?\n"
            "AXWindows error=0\n"
            "APP ? pid=8 bundle=com.openai.chat\n"
            "AXWindows error=-25212\n"
            "APP Codex pid=9 bundle=?\n"
            "AXWindows error=-25204");
  // The hung app answered after the 0.3 s messaging timeout, not the system's 6 s.
  EXPECT_DOUBLE_EQ((platform->clock().uptime() - start).inSeconds(), 0.3);
}

}  // namespace
}  // namespace lumetta
