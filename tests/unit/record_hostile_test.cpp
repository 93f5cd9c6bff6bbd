// Recording trees built to break a recorder: cycles and shared subtrees,
// errors on every attribute, hung elements and applications, and more
// elements than any walk of the program visits.
#include <gtest/gtest.h>

#include <sstream>

#include "classify/report.h"
#include "diagnostics/tree_capture.h"
#include "record/recording.h"
#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::simulated;

std::string recorded(const std::string& json, RecordLimits limits = {}) {
  auto platform = simulated(json);
  Recording recording(platform->platform(), limits);
  recording.snapshot();
  return recording.json();
}

// Both reports of the original and of its recording, with the session's
// window hashes left out.
void expectSameReports(const std::string& json, const std::string& recording) {
  auto original = simulated(json);
  auto replay = simulated(recording);
  EXPECT_EQ(classificationSnapshot(original->platform()),
            classificationSnapshot(replay->platform()));
  auto withoutHashes = [](std::string text) {
    for (auto at = text.find("AX hash "); at != std::string::npos;
         at = text.find("AX hash ", at + 1)) {
      text.erase(at + 8, text.find(']', at) - at - 8);
    }
    return text;
  };
  EXPECT_EQ(withoutHashes(capture(original->platform(), 30, 500).text),
            withoutHashes(capture(replay->platform(), 30, 500).text));
}

std::string window(const std::string& children, const std::string& extra = "") {
  return R"({"apps": [{"pid": 501, "name": "ChatGPT", "ax": {"role": "AXApplication", "children": [
    {"id": "w", "role": "AXWindow", "subrole": "AXStandardWindow", "title": "Main")" +
         extra + R"(, "children": [)" + children + "]}]}}]}";
}

TEST(RecordHostile, CyclesAndSharedSubtreesAreWrittenOnceAndReferred) {
  const std::string json = window(R"(
    {"id": "g", "role": "AXGroup", "children": [{"ref": "w"}, {"ref": "g"}, {"ref": "shared"}]},
    {"id": "shared", "role": "AXGroup", "children": [
      {"role": "AXPopUpButton", "title": "Switch mode, current mode: Codex"}]},
    {"ref": "shared"})");
  const std::string recording = recorded(json);
  // Five elements, each defined once: the application, the window, two
  // groups and the button; every other meeting is a reference.
  EXPECT_NE(recording.find("\"id\":\"e4\""), std::string::npos);
  EXPECT_EQ(recording.find("\"id\":\"e5\""), std::string::npos);
  EXPECT_NE(recording.find(R"({"ref":"e1"},)"), std::string::npos);
  EXPECT_NE(recording.find(R"({"ref":"e3"},)"), std::string::npos);
  expectSameReports(json, recording);
}

TEST(RecordHostile, ErrorsOnEveryAttributeReplayAsTheyWereRead) {
  std::string errors;
  AXError code = -25200;
  for (std::string_view name : kRecordedAttributes) {
    errors += (errors.empty() ? "\"" : ", \"") + std::string(name) + "\": " + std::to_string(code);
    code = code == -25214 ? -25200 : code - 1;
  }
  const std::string json = window(R"({"role": "AXGroup", "errors": {)" + errors + R"(}},
    {"role": "AXPopUpButton", "title": "Switch mode, current mode: ChatGPT",
     "errors": {"AXDescription": -25204, "AXParent": -25212}})",
                                  R"(, "errors": {"AXSize": -25201, "AXFocused": -25212})");
  expectSameReports(json, recorded(json));
}

TEST(RecordHostile, HungElementsAndApplicationsHangOnReplay) {
  const std::string json = R"({"apps": [
    {"pid": 501, "name": "ChatGPT", "ax": {"role": "AXApplication", "children": [
      {"role": "AXWindow", "children": [
        {"role": "AXWebArea", "hung": true, "children": [{"role": "AXButton", "title": "Hide sidebar"}]},
        {"role": "AXPopUpButton", "title": "Switch mode, current mode: ChatGPT"}]}]}},
    {"pid": 612, "name": "Codex", "hung": true, "ax": {"role": "AXApplication", "children": [
      {"role": "AXWindow"}]}},
    {"pid": 613, "name": "Codex", "latency": 0.05, "ax": {"role": "AXApplication", "children": [
      {"role": "AXWindow", "children": [{"role": "AXGroup"}, {"role": "AXGroup"}]}]}}]})";
  const std::string recording = recorded(json);
  EXPECT_NE(recording.find("\"latency\":0.05"), std::string::npos);
  expectSameReports(json, recording);
  // Replayed, the hung element still costs the messaging timeout.
  auto replay = simulated(recording);
  const Uptime began = replay->clock().uptime();
  classificationSnapshot(replay->platform());
  EXPECT_GE(replay->clock().uptime() - began, 2 * kDiagnosticMessagingTimeout);
}

TEST(RecordHostile, MoreElementsThanAnyWalkVisitsKeepTheLimitLines) {
  std::string buttons;
  for (int i = 0; i < kScanQueueLimit + 50; ++i) buttons += R"({"role": "AXButton"},)";
  const std::string json =
      window(buttons + R"({"role": "AXPopUpButton", "title": "Switch mode, current mode: Codex"})");
  const std::string report = classificationSnapshot(simulated(json)->platform());
  EXPECT_NE(report.find("traversal budget"), std::string::npos);
  const std::string recording = recorded(json);
  EXPECT_NE(recording.find("stopped after 10000 elements"), std::string::npos);
  expectSameReports(json, recording);

  // With a smaller limit than the scan's, the difference shows.
  RecordLimits small;
  small.scanElements = 100;
  small.captureElements = 100;
  EXPECT_NE(classificationSnapshot(simulated(recorded(json, small))->platform()), report);
}

TEST(RecordHostile, ElementsOnlyAttributesReachAreDefinedBesideTheTree) {
  const std::string json =
      R"({"apps": [{"pid": 501, "name": "ChatGPT", "ax": {"role": "AXApplication",
    "attrs": {"AXWindows": [{"ref": "w"}], "AXFocusedWindow": {"ref": "w"}},
    "children": [{"role": "AXMenuBar", "children": [{"id": "w", "role": "AXWindow", "children": [
      {"role": "AXPopUpButton", "title": "Switch mode, current mode: ChatGPT"}]}]}]}}]})";
  // The window is the menu bar's child here: deeper than the recorder reads
  // the application's other children, yet it must be defined and replayed.
  expectSameReports(json, recorded(json));
}

}  // namespace
}  // namespace lumetta
