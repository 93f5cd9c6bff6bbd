#include "platform/sim/desktop/desktop_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/sim/desktop/desktop_json.h"
#include "support/sim_fixture.h"

namespace lumetta::sim {
namespace {

DesktopModel load(std::string_view json) {
  LoadResult result = parseDesktop(json, "d.json");
  if (!result) {
    ADD_FAILURE() << result.error().message;
    return {};
  }
  return std::move(result).value();
}

using lumetta::testing::errorText;
using lumetta::testing::loadError;

// What errorText says of a desktop that loaded.
constexpr const char* kLoaded = "(no error)";

std::string nested(int levels) { return std::string(levels, '[') + std::string(levels, ']'); }

TEST(DesktopLoader, AnEmptyDesktopHasTheDocumentedDefaults) {
  DesktopModel model = load("{}");
  EXPECT_TRUE(model.trusted);
  EXPECT_EQ(model.session, consoleSession(true));
  EXPECT_FALSE(model.wallStart);
  ASSERT_EQ(model.displays.size(), 1u);
  EXPECT_EQ(model.displays[0].frame, (ScreenRect{0, 0, 1512, 982}));
  EXPECT_TRUE(model.apps.empty() && model.windows.empty() && model.timeline.empty());
}

TEST(DesktopLoader, ShorthandWindowEntriesFillTheRawKeysAndRawEntriesStandAsGiven) {
  DesktopModel model = load(R"({"windows": [
      {"number": 4711, "pid": 501, "layer": 0, "bounds": [100, 80, 1100, 760], "owner": "ChatGPT", "alpha": 1},
      {"pid": 7},
      {"raw": {"kCGWindowNumber": "x", "nested": [null, true, 2.5]}},
      {"raw": 12}]})");
  ASSERT_EQ(model.windows.size(), 4u);
  const RawDictionary& full = *model.windows[0].get<RawDictionary>();
  EXPECT_EQ(full.size(), 6u);
  EXPECT_EQ(*find(full, "kCGWindowNumber"), RawValue{std::int64_t{4711}});
  EXPECT_EQ(*find(full, "kCGWindowAlpha"), RawValue{1.0});
  const RawDictionary& bounds = *find(full, "kCGWindowBounds")->get<RawDictionary>();
  EXPECT_EQ(*find(bounds, "Width"), RawValue{1100.0});
  EXPECT_EQ(model.windows[1].get<RawDictionary>()->size(), 1u);  // absent keys stay absent
  EXPECT_EQ(*find(*model.windows[2].get<RawDictionary>(), "kCGWindowNumber"),
            RawValue{std::string("x")});
  EXPECT_EQ(model.windows[3], RawValue{std::int64_t{12}});
}

TEST(DesktopLoader, TimelineIsOrderedByTimeThenFileOrder) {
  DesktopModel model =
      load(R"({"apps": [{"pid": 5, "ax": {"role": "AXApplication", "children": [{"id": "b"}]}}],
      "timeline": [
        {"at": 3, "raise": 1}, {"at": 1, "power": "sleep"}, {"at": 3, "trusted": false},
        {"at": 0.5, "children": {"element": "b", "value": [{"id": "new", "role": "AXButton"}]}},
        {"at": 2, "launch": {"pid": 5, "name": "Codex"}}]})");
  ASSERT_EQ(model.timeline.size(), 5u);
  EXPECT_TRUE(std::holds_alternative<ChildrenAction>(model.timeline[0].action));
  EXPECT_TRUE(std::holds_alternative<PowerAction>(model.timeline[1].action));
  EXPECT_TRUE(std::holds_alternative<LaunchAction>(model.timeline[2].action));
  EXPECT_TRUE(std::holds_alternative<RaiseAction>(model.timeline[3].action));
  EXPECT_TRUE(std::holds_alternative<TrustedAction>(model.timeline[4].action));
  // Elements added later belong to their parent's application instance, and a
  // relaunch under the same pid is a different instance.
  const SimNode& added =
      model.nodes[std::get<ChildrenAction>(model.timeline[0].action).children[0].node];
  EXPECT_EQ(added.owner.pid, 5);
  EXPECT_EQ(added.owner.app, 0u);
  EXPECT_EQ(std::get<LaunchAction>(model.timeline[2].action).app.ordinal, 1u);
}

TEST(DesktopLoader, ErrorsNameTheFileThePathAndWhatWasExpected) {
  EXPECT_EQ(loadError(R"({"apps": [{"pid": "501"}]})"),
            "d.json: $.apps[0].pid: expected an integer");
  EXPECT_EQ(loadError(R"({"apps": [{"pid": 1, "ax": {"attrs": {"AX Odd": {"point": [1]}}}}]})"),
            "d.json: $.apps[0].ax.attrs[\"AX Odd\"].point: expected [x, y]");
  EXPECT_EQ(loadError("{\n  \"trusted\": tru\n}"),
            "d.json: $: expected valid JSON (syntax error at line 2, column 17)");
  EXPECT_EQ(loadError(R"({"timeline": [{"at": 1}]})")
                .rfind("d.json: $.timeline[0]: expected one action key", 0),
            0u);
}

TEST(DesktopLoader, HostileTextGetsOneLineAndNothingElse) {
  EXPECT_EQ(loadError("1e400"),
            "d.json: $: expected a number a double can hold (1e400 at line 1, column 1)");
  EXPECT_EQ(
      loadError("{\"apps\": [{\"pid\":\n -1e400}]}"),
      "d.json: $.apps[0].pid: expected a number a double can hold (-1e400 at line 2, column 2)");
  EXPECT_EQ(loadError(std::string_view("{}\0{{", 5)),
            "d.json: $: expected valid JSON (a NUL byte at line 1, column 3)");
  // Three levels lead to "raw"; brackets inside texts, escaped quotes included, do not count.
  EXPECT_EQ(loadError(R"({"windows": [{"raw": )" + nested(kMaxNestingDepth - 3) + "}]}"), kLoaded);
  EXPECT_EQ(
      loadError(R"({"windows": [{"raw": )" + nested(kMaxNestingDepth - 2) + "}]}"),
      "d.json: $: expected at most 256 levels of nested arrays and objects (level 257 opens at "
      "line 1, column 275)");
  EXPECT_EQ(loadError(R"({"apps": [{"pid": 1, "name": "\")" + std::string(1000, '[') + "\"}]}"),
            kLoaded);
}

// The document is built without the library's parser (which looks each key
// up among the members before it), so it must come out as that parser's:
// members in file order, a repeated key in the first one's place with the
// last value.
TEST(DesktopLoader, TheDocumentBuiltIsTheJsonLibrarysOwn) {
  for (std::string_view text :
       {R"({"b": 1, "a": [true, null, -2, 3.5e-7, 18446744073709551615], "b": {"c": "\u00e9"}})",
        R"([{}, [], {"x": {"x": {"x": 1}, "x": 2}}, "\"\\\n"])", R"("just text")", "-0.0"}) {
    auto built = parseJson(text);
    ASSERT_TRUE(std::holds_alternative<Json>(built)) << text;
    EXPECT_EQ(std::get<Json>(built).dump(), Json::parse(text).dump()) << text;
  }
}

TEST(DesktopLoader, DocumentedRangesHoldToTheirEdgesAndNoFurther) {
  auto pid = [](const char* n) {
    return loadError(std::string(R"({"apps": [{"pid": )") + n + "}]}");
  };
  const std::string notPid =
      "d.json: $.apps[0].pid: expected a process id (a positive 32-bit integer)";
  EXPECT_EQ(pid("1") + pid("2147483647"), std::string(kLoaded) + kLoaded);
  EXPECT_EQ(pid("0"), notPid);
  EXPECT_EQ(pid("2147483648"), notPid);
  auto code = [](const char* n) {
    return loadError(std::string(R"({"apps": [{"pid": 1, "observerError": )") + n + "}]}");
  };
  const std::string notCode =
      "d.json: $.apps[0].observerError: expected an error code (a 32-bit integer)";
  EXPECT_EQ(code("-2147483648") + code("2147483647"), std::string(kLoaded) + kLoaded);
  EXPECT_EQ(code("-2147483649"), notCode);
  EXPECT_EQ(code("2147483648"), notCode);
  auto display = [](const char* n) {
    return loadError(std::string(R"({"displays": [{"frame": [0, 0, 1, 1], "id": )") + n + "}]}");
  };
  const std::string notDisplay =
      "d.json: $.displays[0].id: expected a display id (a 32-bit unsigned integer)";
  EXPECT_EQ(display("0") + display("4294967295"), std::string(kLoaded) + kLoaded);
  EXPECT_EQ(display("-1"), notDisplay);
  EXPECT_EQ(display("4294967296"), notDisplay);
  auto raise = [](const char* n) {
    return loadError(std::string(R"({"timeline": [{"at": 0, "raise": )") + n + "}]}");
  };
  EXPECT_EQ(raise("-9223372036854775808") + raise("9223372036854775807"),
            std::string(kLoaded) + kLoaded);
  EXPECT_EQ(raise("9223372036854775808"), "d.json: $.timeline[0].raise: expected a 64-bit integer");
  auto latency = [](const char* n) {
    return loadError(std::string(R"({"apps": [{"pid": 1, "latency": )") + n + "}]}");
  };
  EXPECT_EQ(latency("0"), kLoaded);
  EXPECT_EQ(latency("-1e-300"),
            "d.json: $.apps[0].latency: expected a non-negative number of seconds");
  // Under virtual time every moment up to the last event is simulated.
  auto at = [](const char* n) {
    return loadError(std::string(R"({"timeline": [{"at": )") + n + R"(, "power": "sleep"}]})");
  };
  EXPECT_EQ(at("0") + at("3600"), std::string(kLoaded) + kLoaded);
  for (const char* late : {"3600.001", "1e5", "1e300", "-1e-300"}) {
    EXPECT_EQ(at(late),
              "d.json: $.timeline[0].at: expected a number of seconds from 0 to 3600 (a timeline "
              "spans at most an hour)")
        << late;
  }
}

TEST(DesktopLoader, TheSessionDictionaryMayBeMissingOrOfAnyShape) {
  EXPECT_EQ(load(R"({"session": {}})").session, consoleSession(true));
  EXPECT_EQ(load(R"({"session": {"onConsole": false}})").session, consoleSession(false));
  EXPECT_FALSE(load(R"({"session": null})").session);
  EXPECT_EQ(load(R"({"session": {"raw": {"kCGSSessionOnConsoleKey": 1}}})").session,
            (RawValue{RawDictionary{{"kCGSSessionOnConsoleKey", RawValue{std::int64_t{1}}}}}));
  EXPECT_EQ(load(R"({"session": {"raw": [true]}})").session, (RawValue{RawArray{RawValue{true}}}));
  EXPECT_EQ(loadError(R"({"session": {"raw": {}, "onConsole": true}})"),
            "d.json: $.session.onConsole: unknown key; expected one of raw");
}

TEST(DesktopFile, OnlyRegularFilesWithinTheSizeLimitAreRead) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "lumetta-desktop-files";
  fs::remove_all(dir);
  fs::create_directories(dir);
  auto write = [&](const char* name, std::size_t size) {
    std::ofstream(dir / name) << "{}" << std::string(size - 2, ' ');
    return (dir / name).string();
  };
  auto loaded = [](const std::string& path) { return errorText(loadDesktopFile(path)); };
  EXPECT_EQ(loaded(write("limit.json", kMaxDesktopFileBytes)), kLoaded);
  const std::string over = write("over.json", kMaxDesktopFileBytes + 1);
  EXPECT_EQ(loaded(over), over + ": too large (a desktop file has at most 16777216 bytes)");
  fs::create_symlink(dir / "limit.json", dir / "link.json");
  EXPECT_EQ(loaded((dir / "link.json").string()), kLoaded);
  // A FIFO nobody writes to would block a reader for ever.
  const std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(loaded(fifo), fifo + ": cannot be read (a FIFO, not a regular file)");
  EXPECT_EQ(loaded("/dev/zero"),
            "/dev/zero: cannot be read (a character device, not a regular file)");
  EXPECT_EQ(loaded(dir.string()),
            dir.string() + ": cannot be read (a directory, not a regular file)");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace lumetta::sim
