#include "platform/sim/desktop_loader.h"

#include <gtest/gtest.h>

namespace lumetta::sim {
namespace {

DesktopSpec load(std::string_view json) {
  LoadResult result = parseDesktop(json, "d.json");
  if (auto* error = std::get_if<LoadError>(&result)) {
    ADD_FAILURE() << error->message;
    return {};
  }
  return std::get<DesktopSpec>(std::move(result));
}

std::string error(std::string_view json) {
  LoadResult result = parseDesktop(json, "d.json");
  auto* failure = std::get_if<LoadError>(&result);
  return failure ? failure->message : "loaded";
}

TEST(DesktopLoader, AnEmptyDesktopHasTheDocumentedDefaults) {
  DesktopSpec spec = load("{}");
  EXPECT_TRUE(spec.trusted);
  EXPECT_TRUE(spec.onConsole);
  EXPECT_FALSE(spec.wallStart);
  ASSERT_EQ(spec.displays.size(), 1u);
  EXPECT_EQ(spec.displays[0].frame, (Rect{0, 0, 1512, 982}));
  EXPECT_TRUE(spec.apps.empty() && spec.windows.empty() && spec.timeline.empty());
}

TEST(DesktopLoader, ShorthandWindowEntriesFillTheRawKeysAndRawEntriesStandAsGiven) {
  DesktopSpec spec = load(R"({"windows": [
      {"number": 4711, "pid": 501, "layer": 0, "bounds": [100, 80, 1100, 760], "owner": "ChatGPT", "alpha": 1},
      {"pid": 7},
      {"raw": {"kCGWindowNumber": "x", "nested": [null, true, 2.5]}},
      {"raw": 12}]})");
  ASSERT_EQ(spec.windows.size(), 4u);
  const RawDictionary& full = *spec.windows[0].get<RawDictionary>();
  EXPECT_EQ(full.size(), 6u);
  EXPECT_EQ(*find(full, "kCGWindowNumber"), RawValue{std::int64_t{4711}});
  EXPECT_EQ(*find(full, "kCGWindowAlpha"), RawValue{1.0});
  const RawDictionary& bounds = *find(full, "kCGWindowBounds")->get<RawDictionary>();
  EXPECT_EQ(*find(bounds, "Width"), RawValue{1100.0});
  EXPECT_EQ(spec.windows[1].get<RawDictionary>()->size(), 1u);  // absent keys stay absent
  EXPECT_EQ(*find(*spec.windows[2].get<RawDictionary>(), "kCGWindowNumber"), RawValue{std::string("x")});
  EXPECT_EQ(spec.windows[3], RawValue{std::int64_t{12}});
}

TEST(DesktopLoader, TimelineIsOrderedByTimeThenFileOrder) {
  DesktopSpec spec = load(R"({"apps": [{"pid": 5, "ax": {"role": "AXApplication", "children": [{"id": "b"}]}}],
      "timeline": [
        {"at": 3, "raise": 1}, {"at": 1, "power": "sleep"}, {"at": 3, "trusted": false},
        {"at": 0.5, "children": {"element": "b", "value": [{"id": "new", "role": "AXButton"}]}},
        {"at": 2, "launch": {"pid": 5, "name": "Codex"}}]})");
  ASSERT_EQ(spec.timeline.size(), 5u);
  EXPECT_TRUE(std::holds_alternative<ChildrenAction>(spec.timeline[0].action));
  EXPECT_TRUE(std::holds_alternative<PowerAction>(spec.timeline[1].action));
  EXPECT_TRUE(std::holds_alternative<LaunchAction>(spec.timeline[2].action));
  EXPECT_TRUE(std::holds_alternative<RaiseAction>(spec.timeline[3].action));
  EXPECT_TRUE(std::holds_alternative<TrustedAction>(spec.timeline[4].action));
  // Elements added later belong to their parent's application instance, and a
  // relaunch under the same pid is a different instance.
  const SimNode& added = spec.nodes[std::get<ChildrenAction>(spec.timeline[0].action).children[0].node];
  EXPECT_EQ(added.owner.pid, 5);
  EXPECT_EQ(added.owner.app, 0u);
  EXPECT_EQ(std::get<LaunchAction>(spec.timeline[2].action).app.ordinal, 1u);
}

TEST(DesktopLoader, ErrorsNameTheFileThePathAndWhatWasExpected) {
  EXPECT_EQ(error(R"({"apps": [{"pid": "501"}]})"), "d.json: $.apps[0].pid: expected an integer");
  EXPECT_EQ(error(R"({"apps": [{"pid": 1, "ax": {"attrs": {"AX Odd": {"point": [1]}}}}]})"),
            "d.json: $.apps[0].ax.attrs[\"AX Odd\"].point: expected [x, y]");
  EXPECT_EQ(error("{\n  \"trusted\": tru\n}"),
            "d.json: $: expected valid JSON (syntax error at line 2, column 17)");
  EXPECT_EQ(error(R"({"timeline": [{"at": 1}]})").rfind("d.json: $.timeline[0]: expected one action key", 0), 0u);
}

}  // namespace
}  // namespace lumetta::sim
