// Recordings replay: every desktop in the repository, recorded and loaded
// again, gives the same classification report and the same deep capture
// apart from the texts the recorder replaces; a watched run replays to the
// same log apart from times; the recorder reads only what it writes; and
// trees built to break a recorder (cycles and shared subtrees, errors on every
// attribute, hung elements, more elements than any walk visits) replay too.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "classify/report.h"
#include "diagnostics/tree_capture.h"
#include "diagnostics/validation_monitor.h"
#include "record/recording.h"
#include "support/atomic_file.h"
#include "support/error_text.h"
#include "support/sim_fixture.h"
#include "support/text_format.h"

namespace lumetta {
namespace {

using lumetta::testing::errorText;

namespace fs = std::filesystem;
using testing::simulated;

std::string fileText(const fs::path& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Every desktop file in the repository that loads.
std::vector<fs::path> desktopFiles() {
  std::vector<fs::path> files;
  const fs::path root = LUMETTA_SOURCE_DIR;
  for (const auto& entry : fs::recursive_directory_iterator(root / "docs" / "desktops")) {
    if (entry.path().extension() == ".json") files.push_back(entry.path());
  }
  for (const auto& entry : fs::recursive_directory_iterator(root / "tests" / "e2e" / "cases")) {
    if (entry.path().extension() != ".json") continue;
    if (sim::parseDesktop(fileText(entry.path()), "f").hasValue()) {
      files.push_back(entry.path());
    }
  }
  return files;
}

std::string recorded(const std::string& json, RecordLimits limits = {}) {
  auto platform = simulated(json);
  Recording recording(platform->platform(), limits);
  recording.snapshot();
  return recording.json();
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// The same line, or the same attribute with placeholders for its texts;
// window hashes are references into one session.
bool sameApartFromRedaction(const std::string& original, const std::string& replay) {
  static const std::regex hash("transient AX hash [0-9]+");
  if (std::regex_replace(original, hash, "") == std::regex_replace(replay, hash, "")) return true;
  const auto colon = replay.find(": ");
  if (colon == std::string::npos || original.compare(0, colon + 2, replay, 0, colon + 2) != 0) {
    return false;
  }
  // Placeholders have as many characters as the texts they replace.
  const std::string value = replay.substr(colon + 2);
  if (!value.empty() && value.find_first_not_of('x') == std::string::npos) return true;
  if (original.size() != replay.size()) return false;
  for (std::size_t i = 0; i < replay.size(); ++i) {
    if (original[i] != replay[i] && replay[i] != 'x') return false;
  }
  return true;
}

void expectSameCapture(const std::string& original, const std::string& replay,
                       const std::string& name) {
  const auto a = lines(original), b = lines(replay);
  ASSERT_EQ(a.size(), b.size()) << name;
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_TRUE(sameApartFromRedaction(a[i], b[i])) << name << " line " << i + 1 << "\n"
                                                    << a[i] << "\n"
                                                    << b[i];
  }
}

// Loads the recording (a failure is a test failure) and checks both reports.
void expectReplays(const std::string& json, const std::string& recording, const std::string& name) {
  auto original = simulated(json);
  auto replay = simulated(recording);
  EXPECT_EQ(classificationSnapshot(original->platform()),
            classificationSnapshot(replay->platform()))
      << name;
  expectSameCapture(capture(original->platform(), 30, 500).text,
                    capture(replay->platform(), 30, 500).text, name);
}

// A user's long transcripts record to a file that the loader takes, written
// compactly: two windows of 50,000 elements (testing::chatExchange) make 1.8 MB.
TEST(RecordRoundTrip, LongTranscriptsRecordToACompactFileThatLoads) {
  testing::DesktopBuilder desktop;
  desktop.wallStart("2026-12-01T09:00:00Z");
  testing::AppBuilder chat = desktop.app(501, "ChatGPT", "com.openai.chat");
  for (std::int64_t number : {4711, 4712}) {
    testing::ElementBuilder window = chat.child("AXWindow");
    window.subrole("AXStandardWindow").title("ChatGPT").windowNumber(number);
    window.frame({100, 80, 1000, 700})
        .child("AXGroup")
        .child("AXPopUpButton")
        .title(testing::modeLabel("ChatGPT"));
    testing::ElementBuilder web = window.child("AXWebArea");
    for (int made = 0; made < 50'000; made += 49) testing::chatExchange(web);
  }
  auto original = simulated(std::move(desktop));
  Recording recorder(original->platform());
  recorder.snapshot();
  const std::string recording = recorder.json();
  EXPECT_GT(recording.size(), 1024u * 1024) << "larger than desktop files used to be";
  EXPECT_LT(std::count(recording.begin(), recording.end(), '\n'), 20)
      << "one line for each application and each window-server entry";

  const fs::path file =
      fs::temp_directory_path() / ("lumetta-transcripts-" + std::to_string(::getpid()) + ".json");
  ASSERT_TRUE(writeFileAtomically(file, recording));
  sim::LoadResult loaded = sim::loadDesktopFile(file.string());
  fs::remove(file);
  ASSERT_TRUE(loaded.hasValue()) << errorText(loaded);
  sim::SimPlatform replay(std::move(loaded).value(), sim::TimeSource::manual);
  EXPECT_EQ(classificationSnapshot(original->platform()),
            classificationSnapshot(replay.platform()));
}

bool recordedAttribute(const std::string& name) {
  return std::find(std::begin(kRecordedAttributes), std::end(kRecordedAttributes), name) !=
         std::end(kRecordedAttributes);
}

// Every desktop in the repository replays; and whatever the modes read on
// it, the recorder records, so reads on a replay answer as they did on the
// recording machine.
TEST(RecordRoundTrip, EveryDesktopInTheRepositoryReplaysAndRecordsWhatTheModesRead) {
  const auto files = desktopFiles();
  EXPECT_GE(files.size(), 8u);
  for (const fs::path& file : files) {
    expectReplays(fileText(file), recorded(fileText(file)), file.filename().string());
    auto platform = simulated(fileText(file));
    classificationSnapshot(platform->platform());
    capture(platform->platform(), 30, 500);
    std::ostringstream log;
    ValidationMonitor monitor(platform->platform(), log, true);
    monitor.start();
    platform->manualRunLoop().runFor(Duration::seconds(7));
    monitor.stop();
    for (const auto& [name, count] : platform->desktop().counters().readsByAttribute()) {
      EXPECT_TRUE(recordedAttribute(name)) << name << " in " << file.filename();
    }
  }
}

const char* kPrivate = R"({"apps": [
  {"pid": 7, "name": "SECRET-APP", "ax": {"role": "AXApplication", "title": "SECRET-APP"}},
  {"pid": 501, "name": "ChatGPT", "ax": {"role": "AXApplication", "children": [
    {"role": "AXWindow", "title": "Kept window title", "children": [
      {"role": "AXStaticText", "title": "SECRET-TEXT", "description": "SECRET-TOO",
       "attrs": {"AXValue": "SECRET-VALUE", "AXIdentifier": "SECRET-ID", "AXHelp": "SECRET-HELP",
                 "AXURL": {"url": "https://example.com/SECRET"}, "AXDocument": "/SECRET/path",
                 "AXDOMIdentifier": ["SECRET-IN-ARRAY", {"other": "SECRET-OTHER"}]}},
      {"role": "AXStaticText", "title": "SECRET \u00e9 \u65e5\u672c \ud83d\udc4b!"},
      {"role": "AXButton", "title": "Hide sidebar"},
      {"role": "AXPopUpButton", "description": "Switch mode, current mode: Codex"}]}]}}],
  "windows": [{"number": 1, "pid": 7, "layer": 0, "bounds": [0, 0, 10, 10], "owner": "SECRET-APP",
               "name": "SECRET-WINDOW"},
              {"number": 2, "pid": 501, "layer": 0, "bounds": [0, 0, 10, 10], "owner": "ChatGPT",
               "name": "Kept window title"}]})";

TEST(RecordPrivacy, KeepsOnlyTheTextsTheProgramDecidesByAndNeverReadsAXValue) {
  auto platform = simulated(kPrivate);
  Recording recording(platform->platform());
  recording.snapshot();
  const std::string json = recording.json();
  EXPECT_EQ(json.find("SECRET"), std::string::npos) << json;
  // One "x" a character: "SECRET-TEXT" has 11, the text of 14 characters in
  // 22 bytes (a two-byte, two three-byte and a four-byte one) 14.
  for (const char* kept :
       {"\"Kept window title\"", "\"Hide sidebar\"", "\"Switch mode, current mode: Codex\"",
        "\"AXStaticText\"", "\"kCGWindowOwnerName\":\"ChatGPT\"", "\"xxxxxxxxxxx\"",
        "\"xxxxxxxxxxxxxx\""}) {
    EXPECT_NE(json.find(kept), std::string::npos) << kept;
  }
  const auto& counters = platform->desktop().counters();
  EXPECT_EQ(counters.reads("AXValue"), 0u);
  for (const auto& [name, count] : counters.readsByAttribute())
    EXPECT_TRUE(recordedAttribute(name)) << name;
  expectReplays(kPrivate, json, "private");
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
  expectReplays(json, recording, "cycles");
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
  expectReplays(json, recorded(json), "hostile");
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
  expectReplays(json, recording, "hung");
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
  expectReplays(json, recording, "many");

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
  expectReplays(json, recorded(json), "hostile");
}

// A recording made on the real clock carries fractions of a second in its
// start and launch dates; they load and replay to the nanosecond, leading
// zeros of the fraction included.
TEST(RecordRoundTrip, TimesWithFractionsOfASecondLoadAsTheyWere) {
  const std::string json = R"({"clock": {"wallStart": "2026-12-01T09:00:00.0625Z"},
    "apps": [{"pid": 501, "name": "ChatGPT", "launched": "2026-12-01T08:59:59.05Z",
              "ax": {"role": "AXApplication"}}]})";
  const sim::DesktopModel replay = sim::parseDesktop(recorded(json), "r").value();
  EXPECT_EQ(replay.wallStart, parseIso8601("2026-12-01T09:00:00.0625Z"));
  ASSERT_EQ(replay.apps.size(), 1u);
  EXPECT_EQ(replay.apps[0].launched, parseIso8601("2026-12-01T08:59:59.05Z"));

  sim::SimPlatform real(sim::parseDesktop(R"({"apps": []})", "d").value(), sim::TimeSource::real);
  const WallTime before = real.clock().now();
  Recording recording(real.platform());
  recording.snapshot();
  const WallTime after = real.clock().now();
  sim::LoadResult loaded = sim::parseDesktop(recording.json(), "real.json");
  ASSERT_TRUE(loaded.hasValue()) << errorText(loaded);
  const std::optional<WallTime> start = loaded.value().wallStart;
  ASSERT_TRUE(start);
  EXPECT_TRUE(before <= *start && *start <= after);
}

// The monitor's log, without times and durations.
std::string watched(sim::SimPlatform& platform, Recording* recording, Duration duration) {
  std::ostringstream log;
  ValidationMonitor monitor(platform.platform(), log, true);
  if (recording) {
    monitor.setObserver(recording);
    recording->startWatching();
  }
  monitor.start();
  platform.manualRunLoop().runFor(duration);
  monitor.stop();
  static const std::regex times("t=[0-9.]+s |duration=[0-9.]+ms");
  return std::regex_replace(log.str(), times, "");
}

TEST(RecordRoundTrip, AWatchedRunReplaysToTheSameLog) {
  for (const char* name :
       {"docs/desktops/story.json", "tests/e2e/cases/watch-faults/faults.json"}) {
    auto platform = simulated(fileText(fs::path(LUMETTA_SOURCE_DIR) / name));
    Recording recording(platform->platform());
    recording.snapshot();
    const std::string original = watched(*platform, &recording, Duration::seconds(6));
    recording.stopWatching();
    auto replay = simulated(recording.json());
    EXPECT_EQ(original, watched(*replay, nullptr, Duration::seconds(6))) << name;
  }
}

// A watch longer than a desktop file's timeline may be records what came
// within it, says what it left out, and loads.
TEST(RecordRoundTrip, EventsBeyondTheLatestATimelineMayHoldAreLeftOutAndSaidSo) {
  auto platform = simulated(R"({"apps": [{"pid": 501, "name": "ChatGPT"}]})");
  Recording recording(platform->platform());
  recording.snapshot();
  recording.startWatching();
  NotificationCenter& center = platform->workspace().notificationCenter();
  platform->manualRunLoop().runFor(Duration::seconds(3599));
  center.post(Notification{WorkspaceNotification::willSleep, std::nullopt});
  platform->manualRunLoop().runFor(Duration::seconds(2));
  center.post(Notification{WorkspaceNotification::didWake, std::nullopt});
  center.post(Notification{WorkspaceNotification::screensDidSleep, std::nullopt});
  recording.stopWatching();
  const std::string file = recording.json();
  EXPECT_NE(file.find(R"("power":"sleep")"), std::string::npos);
  EXPECT_EQ(file.find(R"("power":"wake")"), std::string::npos);
  EXPECT_NE(file.find("2 events after 3600 seconds, where a desktop file's timeline ends, are "
                      "left out"),
            std::string::npos);
  EXPECT_TRUE(sim::parseDesktop(file, "recording").hasValue());
}

// Activation, power and notifications about new elements, found through
// their parents or by reading the trees again: each reaches the recording,
// and the log replays.
TEST(RecordRoundTrip, ActivationPowerAndNewElementsReplay) {
  const std::string json = R"({"apps": [
    {"pid": 501, "name": "ChatGPT", "active": true, "ax": {"id": "app", "role": "AXApplication", "children": [
      {"id": "w", "role": "AXWindow", "children": [
        {"id": "group", "role": "AXGroup", "children": [
          {"id": "b", "role": "AXPopUpButton", "title": "Switch mode, current mode: ChatGPT"}]}]}]}},
    {"pid": 612, "name": "Codex", "ax": {"id": "codex", "role": "AXApplication"}}],
   "timeline": [
    {"at": 1, "activate": 612},
    {"at": 1, "notify": {"element": "codex", "name": "AXApplicationActivated"}},
    {"at": 2, "power": "screensSleep"},
    {"at": 2.5, "power": "screensWake"},
    {"at": 3, "children": {"element": "group", "value": [{"ref": "b"},
      {"id": "new", "role": "AXGroup", "children": [{"role": "AXPopUpButton", "title": "Switch mode, current mode: Codex"}]}]}},
    {"at": 3, "notify": {"element": "new", "name": "AXFocusedUIElementChanged"}},
    {"at": 4, "children": {"element": "group", "value": [{"ref": "b"}, {"ref": "new"},
      {"id": "newer", "role": "AXButton", "title": "Show sidebar", "attrs": {"AXParent": {"ref": "group"}}}]}},
    {"at": 4, "notify": {"element": "newer", "name": "AXFocusedUIElementChanged"}}]})";
  auto platform = simulated(json);
  Recording recording(platform->platform());
  recording.snapshot();
  const std::string original = watched(*platform, &recording, Duration::seconds(5));
  recording.stopWatching();
  const std::string file = recording.json();
  for (const char* event : {R"("activate":612)", R"("power":"screensSleep")",
                            R"("power":"screensWake")", R"("name":"AXFocusedUIElementChanged")"}) {
    EXPECT_NE(file.find(event), std::string::npos) << event;
  }
  auto replay = simulated(file);
  EXPECT_EQ(original, watched(*replay, nullptr, Duration::seconds(5)));
  EXPECT_NE(original.find("Switch mode, current mode: Codex"), std::string::npos);
  EXPECT_NE(original.find("Sidebar controls (diagnostic only): Show sidebar"), std::string::npos);
  EXPECT_NE(file.find("AXFocusedUIElementChanged", file.find("AXFocusedUIElementChanged") + 1),
            std::string::npos);
}

}  // namespace
}  // namespace lumetta
