#include "platform/sim/desktop/desktop_loader.h"

#include <gtest/gtest.h>

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
  // Elements added later belong to their parent's application instance.
  const SimNode& added =
      model.nodes[std::get<ChildrenAction>(model.timeline[0].action).children[0].node];
  EXPECT_EQ(added.owner.pid, 5);
  EXPECT_EQ(added.owner.app, 0u);
}

TEST(DesktopLoader, ErrorsNameTheFileThePathAndWhatWasExpected) {
  EXPECT_EQ(loadError(R"({"apps": [{"pid": 1, "ax": {"attrs": {"AX Odd": {"point": [1]}}}}]})"),
            "d.json: $.apps[0].ax.attrs[\"AX Odd\"].point: expected [x, y]");
  EXPECT_EQ(loadError("{\n  \"trusted\": tru\n}"),
            "d.json: $: expected valid JSON (syntax error at line 2, column 17)");
  EXPECT_EQ(loadError(R"({"timeline": [{"at": 1}]})")
                .rfind("d.json: $.timeline[0]: expected one action key", 0),
            0u);
  EXPECT_EQ(
      loadError("{\"apps\": [{\"pid\":\n -1e400}]}"),
      "d.json: $.apps[0].pid: expected a number a double can hold (-1e400 at line 2, column 2)");
  // Three levels lead to "raw", so this is the deepest a file may nest; brackets
  // inside texts, escaped quotes included, do not count.
  EXPECT_EQ(loadError(R"({"windows": [{"raw": )" + nested(kMaxNestingDepth - 3) + "}]}"), kLoaded);
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
  struct Range {
    const char* json;  // with # where the value goes
    std::vector<const char*> loaded, refused;
    const char* error;
  };
  // Under virtual time every moment up to the last event is simulated.
  const Range ranges[] = {
      {R"({"apps": [{"pid": #}]})",
       {"1", "2147483647"},
       {"0", "2147483648"},
       "$.apps[0].pid: expected a process id (a positive 32-bit integer)"},
      {R"({"apps": [{"pid": 1, "observerError": #}]})",
       {"-2147483648", "2147483647"},
       {"-2147483649", "2147483648"},
       "$.apps[0].observerError: expected an error code (a 32-bit integer)"},
      {R"({"displays": [{"frame": [0, 0, 1, 1], "id": #}]})",
       {"0", "4294967295"},
       {"-1", "4294967296"},
       "$.displays[0].id: expected a display id (a 32-bit unsigned integer)"},
      {R"({"timeline": [{"at": 0, "raise": #}]})",
       {"-9223372036854775808", "9223372036854775807"},
       {"9223372036854775808"},
       "$.timeline[0].raise: expected a 64-bit integer"},
      {R"({"apps": [{"pid": 1, "latency": #}]})",
       {"0"},
       {"-1e-300"},
       "$.apps[0].latency: expected a non-negative number of seconds"},
      {R"({"timeline": [{"at": #, "power": "sleep"}]})",
       {"0", "3600"},
       {"3600.001", "1e300", "-1e-300"},
       "$.timeline[0].at: expected a number of seconds from 0 to 3600 (a timeline spans at most "
       "an hour)"},
  };
  for (const Range& range : ranges) {
    const auto with = [&](const char* value) {
      std::string json = range.json;
      return loadError(json.replace(json.find('#'), 1, value));
    };
    for (const char* n : range.loaded) EXPECT_EQ(with(n), kLoaded) << n;
    for (const char* n : range.refused)
      EXPECT_EQ(with(n), std::string("d.json: ") + range.error) << n;
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

// Files over the limit, FIFOs, devices and folders are refused end to end.
TEST(DesktopFile, AFileAtTheSizeLimitAndALinkToItAreRead) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "lumetta-desktop-files";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "limit.json") << "{}" << std::string(kMaxDesktopFileBytes - 2, ' ');
  fs::create_symlink(dir / "limit.json", dir / "link.json");
  for (const char* name : {"limit.json", "link.json"}) {
    EXPECT_EQ(errorText(loadDesktopFile((dir / name).string())), kLoaded) << name;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace lumetta::sim
