// The scripted user's steps: how a desktop file writes them, how a step finds
// the one control it names among what is shown, where a slider settles, and
// how the popover reads as text.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/sim/desktop/desktop_loader.h"
#include "platform/sim/pictures/filmstrip.h"
#include "platform/sim/user/view_outline.h"
#include "platform/sim/user/view_search.h"
#include "support/error_text.h"

namespace lumetta::sim {
namespace {

using lumetta::testing::errorText;

// A desktop whose timeline opens the popover and then takes the step `event`.
LoadResult withStep(const std::string& event) {
  return parseDesktop(R"({"timeline": [{"at": 1, "popover": "open"}, )" + event + "]}", "d.json");
}

UserStepAction step(const std::string& event) {
  return std::get<UserStepAction>(withStep(event).value().timeline.at(1).action);
}

// The end-to-end cases pin how the other steps read, and where.
TEST(UserSteps, ClosingThePopoverReadsAsWritten) {
  EXPECT_EQ(describe(step(R"({"at": 2, "popover": "close"})").step), "close the popover");
}

TEST(UserSteps, MalformedStepsAreRefusedWhereTheyStand) {
  const std::pair<const char*, const char*> cases[] = {
      {R"({"at": 2, "popover": "toggle"})",
       "d.json: $.timeline[1].popover: expected \"open\" or \"close\""},
      {R"({"at": 2, "click": ""})",
       "d.json: $.timeline[1].click: expected the text or accessibility label of a control (a "
       "non-empty string)"},
      {R"({"at": 2, "toggle": 3})",
       "d.json: $.timeline[1].toggle: expected the text or accessibility label of a control (a "
       "non-empty string)"},
      {R"({"at": 2, "select": {"control": "Style"}})",
       "d.json: $.timeline[1].select: expected an object with the keys \"control\" and "
       "\"segment\""},
      {R"({"at": 2, "select": {"control": "Style", "segment": "", "x": 1}})",
       "d.json: $.timeline[1].select.x: unknown key; expected an object with the keys "
       "\"control\" and \"segment\""},
      {R"({"at": 2, "slide": {"control": "Tint", "value": "0.2"}})",
       "d.json: $.timeline[1].slide.value: expected a finite number"},
      {R"({"at": 2, "look": true})", "d.json: $.timeline[1].look: expected \"popover\""},
  };
  for (const auto& [event, expected] : cases) {
    EXPECT_EQ(errorText(withStep(event)), expected) << event;
  }
}

ViewNode node(ViewKind kind, std::string text, std::string label = "") {
  ViewNode n;
  n.content = contentOf(kind);
  n.text = std::move(text);
  n.accessibilityLabel = std::move(label);
  return n;
}

ViewNode popover() {
  ViewNode tabs = node(ViewKind::horizontalStack, "");
  tabs.children = {node(ViewKind::tab, "Codex"), node(ViewKind::tab, "GPT")};
  ViewNode diagnostics = node(ViewKind::disclosure, "Diagnostics");
  diagnostics.children = {node(ViewKind::button, "Copy diagnostics")};
  ViewNode root = node(ViewKind::verticalStack, "");
  root.children = {node(ViewKind::text, "Tint"),
                   node(ViewKind::slider, "", "Tint"),
                   tabs,
                   node(ViewKind::swatch, "", "Blue starter color"),
                   node(ViewKind::swatch, "", "Blue starter color"),
                   diagnostics};
  return root;
}

std::string failureOf(const ViewNode& root, ControlUse use, const std::string& name) {
  auto found = findControl(root, use, name);
  auto* message = std::get_if<std::string>(&found);
  return message ? *message : "found a " + kindName(std::get<const ViewNode*>(found)->kind());
}

TEST(FindControl, FindsTheOneShownControlOfTheRightKindByTextOrLabel) {
  ViewNode root = popover();
  EXPECT_EQ(failureOf(root, ControlUse::slide, "Tint"),
            "found a slider");  // the text beside it is no slider
  EXPECT_EQ(failureOf(root, ControlUse::click, "GPT"), "found a tab");
  EXPECT_EQ(failureOf(root, ControlUse::click, "Tint"),
            "\"Tint\" is a text, which cannot be clicked");
  EXPECT_EQ(failureOf(root, ControlUse::click, "Blue starter color"),
            "2 controls named \"Blue starter color\" are shown (a step must name exactly one)");
  EXPECT_EQ(failureOf(root, ControlUse::click, "gpt"), "nothing named \"gpt\" is shown");
  // Expanded, a disclosure shows its content.
  root.children.back().as<kinds::Disclosure>().on = true;
  EXPECT_EQ(failureOf(root, ControlUse::click, "Copy diagnostics"), "found a button");
}

TEST(SliderValue, SettlesWithinTheRangeOnTheNearestStep) {
  const SliderRange strength{0.1, 0.25, 0.01};
  EXPECT_EQ(sliderValue(strength, 0.125), 0.13);  // halves go up, as a drag rounds
  EXPECT_EQ(sliderValue(strength, 0.12), 0.12);
  EXPECT_EQ(sliderValue(strength, -3), 0.1);
  const SliderRange thickness{2, 16, 1};
  EXPECT_EQ(sliderValue(thickness, 6.9), 7);
  EXPECT_EQ(sliderValue({0, 10, 4}, 9.5), 8);       // the last whole step that fits
  EXPECT_EQ(sliderValue({0, 1, 0}, 0.337), 0.337);  // continuous
}

// The end-to-end cases pin how each control reads; a text's last line break
// leaves an empty last line.
TEST(ViewOutline, AScrollTextShowsEachLineItsLastEmptyOneIncluded) {
  ViewNode summary = node(ViewKind::scrollText, "Lumetta 1.0\nline two\n");
  summary.font = FontRole::monospaced10;
  EXPECT_EQ(outline(summary), (std::vector<std::string>{"scroll text (monospaced 10)",
                                                        "| Lumetta 1.0", "| line two", "| "}));
}

TEST(Filmstrip, NumbersPicturesInOrderAndRefusesWhatIsNoWritableFolder) {
  EXPECT_EQ(stepSlug("click \"Copy diagnostics\""), "click-copy-diagnostics");
  EXPECT_EQ(stepSlug("click \"Set up Accessibility\u2026\""), "click-set-up-accessibility");
  EXPECT_EQ(stepSlug("\"\""), "");
  EXPECT_EQ(stepSlug(std::string(60, 'a')).size(), 40u);
  auto strip = Filmstrip::open(::testing::TempDir());
  ASSERT_TRUE(strip.hasValue()) << strip.error().message;
  auto& film = strip.value();
  EXPECT_TRUE(film.nextPath("open the popover").ends_with("/01-open-the-popover.png"));
  EXPECT_TRUE(film.nextPath("\u2026").ends_with("/02.png"));
  EXPECT_EQ(errorText(Filmstrip::open("/no/such/folder")),
            "/no/such/folder: cannot be used for pictures (No such file or directory)");
  if (::geteuid() != 0) {
    EXPECT_EQ(errorText(Filmstrip::open("/proc")), "/proc: cannot be written (Permission denied)");
  }
}

}  // namespace
}  // namespace lumetta::sim
