// Mode scans, the label pass and its retry spacing, and the toolbar
// measurement, on the manual run loop.
#include <gtest/gtest.h>

#include "overlay/controller_scans.h"
#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

using Scans = ControllerTest;

TEST_F(Scans, ALabelThatChangesSilentlyIsRescannedWithinOneLabelPeriod) {
  start(controllerDesktop(R"(, "timeline": [
      {"at": 2.05, "set": {"element": "b2", "attribute": "AXDescription", "value": "Switch mode, current mode: ChatGPT"}},
      {"at": 2.05, "set": {"element": "b2", "attribute": "AXTitle", "value": "Switch mode, current mode: ChatGPT"}}])"));
  runUntil(2.05);
  ASSERT_EQ(entry(2)->cache.effective(), WindowMode::codex);
  runUntil(2.55);
  EXPECT_EQ(entry(2)->cache.effective(), WindowMode::chatGPT);
  EXPECT_EQ(logged("Window 2: observed ChatGPT (One unambiguous semantic AXPopUpButton); "
                   "effective ChatGPT, previously Codex"),
            1);
}

TEST_F(Scans, AButtonThatWentAwayChangesTheSignatureAndLeadsToARescan) {
  start(controllerDesktop(R"(, "timeline": [
      {"at": 2, "children": {"element": "w2", "value": [{"ref": "tb2"}, {"ref": "a2"}]}}])"));
  runUntil(1.9);
  ASSERT_EQ(logged("Window 2: observed"), 1);
  runUntil(2.6);
  EXPECT_EQ(logged("Window 2: observed Unknown (No semantic mode button); effective Codex"), 1);
  EXPECT_TRUE(entry(2)->buttons.empty());
}

TEST_F(Scans, WindowsWithoutButtonsAreRetriedEveryThreeSecondsButDialogsNever) {
  start(R"({"apps": [{"pid": 501, "name": "ChatGPT", "ax": {"role": "AXApplication", "children": [
      {"role": "AXWindow", "subrole": "AXStandardWindow"},
      {"role": "AXWindow", "subrole": "AXDialog"}]}}]})");
  runUntil(10);
  // Scanned at creation (0.5 s), then by the retry pass at 3.5, 6.5 and 9.5 s.
  EXPECT_EQ(logged("Window 1: observed"), 4);
  EXPECT_EQ(logged("Window 2: observed Unknown (Dialog excluded)"), 1);
  EXPECT_EQ(entry(2)->cache.explanation, "Dialog excluded");
}

TEST_F(Scans, ASecondScanWhileOneIsInFlightIsIgnoredAndAResultForARemovedEntryDropped) {
  start(controllerDesktop(R"(, "timeline": [{"at": 1, "terminate": 501}])"), true);
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

TEST_F(Scans, ScanDetailNamesTheSidebarLabelOnlyWhenThereIsOne) {
  start(R"({"apps": [{"pid": 501, "name": "ChatGPT", "ax": {"role": "AXApplication", "children": [
      {"role": "AXWindow", "subrole": "AXStandardWindow",
       "children": [{"role": "AXButton", "title": "Show sidebar"}]},
      {"role": "AXWindow", "subrole": "AXStandardWindow",
       "children": [{"role": "AXButton", "title": "Send"}]}]}}]})");
  runUntil(1);
  EXPECT_EQ(
      entry(1)->scanDetail,
      "No semantic mode button \u00b7 nodes=2 \u00b7 mode buttons=0 \u00b7 sidebar: Show sidebar");
  EXPECT_EQ(entry(2)->scanDetail, "No semantic mode button \u00b7 nodes=2 \u00b7 mode buttons=0");
}

// The toolbar measurement on a window at (100, 100), 800 wide.
double toolbarOf(const std::string& toolbars) {
  auto platform = simulated(R"({"apps": [{"pid": 1, "ax": {"role": "AXApplication", "children": [
      {"id": "w", "role": "AXWindow", "frame": [100, 100, 800, 600], "children": [)" +
                            toolbars + "]}]}}]}");
  return measureToolbar(platform->accessibility(), platform->clock(), elementById(*platform, "w"),
                        [] { return true; });
}

TEST(Toolbar, MeasuresTheFirstFittingToolbarFromTheWindowsTopEdge) {
  EXPECT_EQ(toolbarOf(R"({"role": "AXToolbar", "frame": [100, 100, 800, 52]})"), 52);
  // A bottom 10 points below the top edge gives the minimum.
  EXPECT_EQ(toolbarOf(R"({"role": "AXToolbar", "frame": [100, 100, 800, 10]})"), 24);
  // Too far down, or too narrow: ignored, and its children searched further.
  EXPECT_EQ(toolbarOf(R"({"role": "AXToolbar", "frame": [100, 230, 800, 40], "children": [
      {"role": "AXToolbar", "frame": [100, 110, 800, 30]}]})"),
            40);
  EXPECT_EQ(toolbarOf(R"({"role": "AXToolbar", "frame": [100, 100, 300, 60], "children": [
      {"role": "AXToolbar", "frame": [100, 100, 400, 60]}]})"),
            60);
  // No toolbar, a flat one, one above the window: the default.
  EXPECT_EQ(toolbarOf(R"({"role": "AXGroup"})"), 40);
  EXPECT_EQ(toolbarOf(R"({"role": "AXToolbar", "frame": [100, 100, 800, 8]})"), 40);
  EXPECT_EQ(toolbarOf(R"({"role": "AXToolbar", "frame": [100, 90, 800, 52]})"), 40);
}

TEST(Toolbar, StopsAfterFifteenHundredElements) {
  std::string filler;
  for (int i = 0; i < 1'498; ++i) filler += R"({"role": "AXGroup"}, )";
  EXPECT_EQ(toolbarOf(filler + R"({"role": "AXToolbar", "frame": [100, 100, 800, 52]})"), 52);
  EXPECT_EQ(
      toolbarOf(filler +
                R"({"role": "AXGroup"}, {"role": "AXToolbar", "frame": [100, 100, 800, 52]})"),
      40);
}

TEST(LabelSignature, JoinsRoleTitleAndDescriptionOfEachButton) {
  EXPECT_EQ(labelSignature({{"AXPopUpButton", "a", "b"}, {"AXPopUpButton", "", "c"}}),
            "AXPopUpButton|a|b||AXPopUpButton||c");
  EXPECT_EQ(labelSignature({}), "");
}

}  // namespace
}  // namespace lumetta::testing
