#include "geometry/server_windows.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::simulated;
using Windows = std::vector<ServerWindow>;

std::string text(const Windows& windows) {
  std::ostringstream out;
  out << '[';
  for (const ServerWindow& w : windows) {
    out << " {id " << w.id << " pid " << w.pid << " bounds (" << w.bounds.x << ", " << w.bounds.y
        << ", " << w.bounds.width << ", " << w.bounds.height << ") rank " << w.rank << "}";
  }
  out << " ]";
  return out.str();
}

Windows windowsOf(const std::string& windowsJson) {
  auto platform = simulated(R"({"windows": [)" + windowsJson + "]}");
  return visibleServerWindows(platform->windowServer());
}

const char* kFront = R"({"number": 1, "pid": 501, "layer": 0, "bounds": [0, 0, 800, 600]})";
const char* kBack = R"({"number": 3, "pid": 502, "layer": 0, "bounds": [10, 20, 30, 40]})";
const ServerWindow kFrontWindow{1, 501, {0, 0, 800, 600}, 0};
const ServerWindow kBackWindow{3, 502, {10, 20, 30, 40}, 2};

TEST(VisibleServerWindows, KeepsNormalLayerWindowsInListOrderWithTheirPositions) {
  Windows windows = windowsOf(R"(
    {"number": 4711, "pid": 501, "layer": 0, "bounds": [100, 80, 1100, 760],
     "owner": "ChatGPT", "name": "ChatGPT", "alpha": 1.0},
    {"number": 20, "pid": 88, "layer": 25, "bounds": [1400, 0, 30, 24]},
    {"number": 21, "pid": 88, "bounds": [0, 0, 10, 10]},
    {"number": 4712, "pid": 502, "layer": 0, "bounds": [-1512, -40.5, 700, 500.25]},
    {"raw": {"kCGWindowNumber": 4713.0, "kCGWindowOwnerPID": 503.0, "kCGWindowLayer": 0.0,
             "kCGWindowBounds": {"Height": 2, "Width": 1.5, "Y": 4, "X": 3, "Extra": "x"},
             "kCGWindowSharingState": 1}})");
  EXPECT_EQ(windows, (Windows{{4711, 501, {100, 80, 1100, 760}, 0},
                              {4712, 502, {-1512, -40.5, 700, 500.25}, 3},
                              {4713, 503, {3, 4, 1.5, 2}, 4}}))
      << text(windows);
}

// A raw entry from the JSON texts of its four keys; null leaves a key out.
struct RawEntryJson {
  const char* number = "2";
  const char* pid = "501";
  const char* layer = "0";
  const char* bounds = R"({"X": 0, "Y": 0, "Width": 1, "Height": 1})";

  std::string text() const {
    std::string keys;
    auto add = [&](const char* key, const char* value) {
      if (!value) return;
      keys += std::string(keys.empty() ? "" : ", ") + '"' + key + "\": " + value;
    };
    add("kCGWindowNumber", number);
    add("kCGWindowOwnerPID", pid);
    add("kCGWindowLayer", layer);
    add("kCGWindowBounds", bounds);
    return R"({"raw": {)" + keys + "}}";
  }
};

TEST(VisibleServerWindows, SkipsMalformedEntriesWhoseRankStillCounts) {
  const RawEntryJson skipped[] = {
      {.number = nullptr},
      {.number = R"("2")"},
      {.number = "true"},
      {.number = "1e300"},  // a real without a 64-bit integer value
      {.pid = nullptr},
      {.pid = "[501]"},
      {.pid = "2147483648"},  // beyond 32 bits: narrowing would name another process
      {.layer = nullptr},
      {.layer = "-1"},
      {.layer = "1.5"},
      {.layer = R"("0")"},
      {.bounds = nullptr},
      {.bounds = "[0, 0, 1, 1]"},
      {.bounds = R"({"X": 0, "Y": 0, "Width": 1})"},
      {.bounds = R"({"X": true, "Y": 0, "Width": 1, "Height": 1})"},
  };
  // The complete entry is kept, so each case above fails by its one key.
  ASSERT_EQ(windowsOf(RawEntryJson{}.text()), (Windows{{2, 501, {0, 0, 1, 1}, 0}}));
  for (const RawEntryJson& entry : skipped) {
    Windows windows = windowsOf(std::string(kFront) + "," + entry.text() + "," + kBack);
    EXPECT_EQ(windows, (Windows{kFrontWindow, kBackWindow})) << entry.text() << "\n"
                                                             << text(windows);
  }
}

TEST(VisibleServerWindows, TakesNumbersAtTheirIntegerValue) {
  // Window numbers beyond 2^53 stay exact; a real layer counts by its integer
  // value; the 32-bit extremes are process ids.
  Windows windows = windowsOf(R"(
    {"number": 9007199254740993, "pid": 2147483647, "layer": 0, "bounds": [0, 0, 1, 1]},
    {"raw": {"kCGWindowNumber": 7.9, "kCGWindowOwnerPID": -2147483648, "kCGWindowLayer": 0.5,
             "kCGWindowBounds": {"X": 0, "Y": 0, "Width": 1, "Height": 1}}})");
  EXPECT_EQ(windows, (Windows{{9007199254740993, 2147483647, {0, 0, 1, 1}, 0},
                              {7, -2147483647 - 1, {0, 0, 1, 1}, 1}}))
      << text(windows);
}

TEST(VisibleServerWindows, SkipsNumbersWithoutIntegerValue) {
  // A value no desktop file can hold; infinities are out of range as 1e300 is.
  auto platform = simulated("{}");
  auto entry = [](RawValue number, RawValue layer) {
    RawDictionary bounds{{"X", {0.0}}, {"Y", {0.0}}, {"Width", {1.0}}, {"Height", {1.0}}};
    return RawValue{RawDictionary{{"kCGWindowNumber", number},
                                  {"kCGWindowOwnerPID", {std::int64_t{501}}},
                                  {"kCGWindowLayer", layer},
                                  {"kCGWindowBounds", {bounds}}}};
  };
  const RawValue zero{std::int64_t{0}};
  const RawValue nan{std::numeric_limits<double>::quiet_NaN()};
  platform->desktop().replaceWindows(
      {entry(nan, zero), entry({std::int64_t{5}}, nan), entry({std::int64_t{7}}, zero)});
  Windows windows = visibleServerWindows(platform->windowServer());
  EXPECT_EQ(windows, (Windows{{7, 501, {0, 0, 1, 1}, 2}})) << text(windows);
}

// A window server whose list is whatever the test sets.
class FixedListServer final : public WindowServer {
 public:
  explicit FixedListServer(std::optional<RawValue> list) : list_(std::move(list)) {}
  std::optional<RawValue> copyWindowList() override { return list_; }
  std::optional<std::vector<DisplayID>> onlineDisplays() override { return std::nullopt; }
  bool displayIsAsleep(DisplayID) override { return false; }
  std::optional<RawValue> copySessionDictionary() override { return std::nullopt; }
  std::int64_t windowNumberAtPoint(ScreenPoint) override { return 0; }
  std::vector<ScreenRect> screenFrames() override { return {}; }

 private:
  std::optional<RawValue> list_;
};

TEST(VisibleServerWindows, ListThatIsNotAnArrayOfDictionariesGivesNoWindows) {
  for (const char* stray :
       {"5", R"("window")", "[]", R"([{"kCGWindowNumber": 2}])", "null", "true"}) {
    // Good entries around a non-dictionary do not survive: the list fails whole.
    Windows windows = windowsOf(std::string(kFront) + R"(, {"raw": )" + stray + "}, " + kBack);
    EXPECT_TRUE(windows.empty()) << stray << "\n" << text(windows);
  }
  EXPECT_TRUE(windowsOf("").empty());

  auto platform = simulated(std::string(R"({"windows": [)") + kFront + "]}");
  const RawValue list = platform->windowServer().copyWindowList().value();
  FixedListServer control(list);
  ASSERT_EQ(visibleServerWindows(control), Windows{kFrontWindow});
  const std::optional<RawValue> notArrays[] = {
      std::nullopt,
      list.get<RawArray>()->front(),  // one dictionary, not an array of them
  };
  for (const auto& notArray : notArrays) {
    FixedListServer server(notArray);
    EXPECT_TRUE(visibleServerWindows(server).empty());
  }
}

// The self-test has adjacent pairs; here duplicates apart, negative and thrice.
TEST(DuplicateServerIDs, ReportsEveryIdClaimedMoreThanOnce) {
  EXPECT_EQ(duplicateServerIDs(std::vector<std::int64_t>{3, 1, -4, 3, 2, 1, -4, 0, 3}),
            (std::set<std::int64_t>{-4, 1, 3}));
}

}  // namespace
}  // namespace lumetta
