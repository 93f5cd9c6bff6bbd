// The popover's content as data: what pressing, toggling and sliding its
// nodes does to the controller, the view-local state and the system services,
// and how texts from elsewhere are cut. The end-to-end menu cases pin the rows
// and their words.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "menu/menu_description.h"
#include "menu/menu_layout.h"
#include "menu/shown_text.h"
#include "platform/sim/user/view_search.h"
#include "support/fake_view_metrics.h"
#include "support/menu_fixture.h"

namespace lumetta {
namespace {

using testing::control;
using testing::MenuTest;
using testing::node;

// A failure to leave the login items shows in red under the box, which keeps
// showing what the system reports; the next toggle clears the error first.
TEST_F(MenuTest, LaunchAtLoginShowsAFailedUnregistrationUntilTheNextToggle) {
  desktop.model().loginItem.status = LoginItemStatus::enabled;
  desktop.model().loginItem.unregisterError = "Operation not permitted.";
  desktop.at(1).loginItem([](auto& item) { item.unregisterError.emplace(); });
  start();
  MenuContent content(*controller, platform->platform(), [] {});
  auto box = [&] {
    return control<kinds::Checkbox>(describeMenu(content).children[1], "Launch at login");
  };
  box().onToggle(false);
  const ViewNode error = describeMenu(content).children[2];
  EXPECT_EQ(error.text, "Operation not permitted.");
  EXPECT_EQ(error.foreground.role, ColorRole::red);
  EXPECT_TRUE(box().on);
  runUntil(1);
  box().onToggle(false);
  EXPECT_EQ(content.error(), "");
  EXPECT_FALSE(box().on);
  EXPECT_EQ(platform->loginItem().status(), LoginItemStatus::notRegistered);
}

// On the other tab the editor's controls write that mode's settings only.
TEST_F(MenuTest, TabsChooseTheModeTheControlsWrite) {
  start();
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::style, OverlayStyle::border);
  MenuContent content(*controller, platform->platform(), [] {});
  const ModeAppearance codex = controller->appearance(WindowMode::codex);
  ViewNode root = describeMenu(content);
  EXPECT_EQ(node(root, "Purple starter color").help, "Purple");  // the swatch's tooltip
  control<kinds::Tab>(root, "GPT").onPress();
  root = describeMenu(content);
  EXPECT_EQ(node(root, "GPT").foreground.role, ColorRole::accent);
  EXPECT_EQ(node(root, "Codex").foreground.role, ColorRole::secondary);

  control<kinds::Slider>(root, "Thickness").onSlide(9);
  control<kinds::Slider>(root, "Tint").onSlide(0.11);
  control<kinds::ToggleSwitch>(root, "Enabled").onToggle(true);
  control<kinds::Segmented>(root, "Style").onSelect(0);
  const ModeAppearance gpt = controller->appearance(WindowMode::chatGPT);
  EXPECT_EQ(gpt.borderWidth, 9);
  EXPECT_EQ(gpt.strength, 0.11);
  EXPECT_TRUE(gpt.enabled);
  EXPECT_EQ(gpt.style, OverlayStyle::topBar);
  EXPECT_EQ(controller->appearance(WindowMode::codex), codex);
}

// Opened on one tab, the panel keeps colouring that mode after the other tab
// is chosen, whichever tab it was. A pick recolours Codex-mode panels at once.
TEST_F(MenuTest, ColourPanelKeepsEditingTheModeItWasOpenedFor) {
  start();
  runFor(1.5);
  MenuContent content(*controller, platform->platform(), [] {});
  ViewNode root = describeMenu(content);
  control<kinds::ColorButton>(root, "Choose your own color").onPress();
  control<kinds::Tab>(root, "GPT").onPress();
  const Color coral{1, 0.5, 0.31, 1};
  platform->colorPanel().pick(coral);
  EXPECT_EQ(entry(2)->panel->layer().color(), coral);

  root = describeMenu(content);  // on the GPT tab now
  control<kinds::ColorButton>(root, "Choose your own color").onPress();
  control<kinds::Tab>(root, "Codex").onPress();
  const Color teal{0, 0.5, 0.5, 1};
  platform->colorPanel().pick(teal);
  EXPECT_EQ(controller->appearance(WindowMode::chatGPT).color, teal);
  EXPECT_EQ(controller->appearance(WindowMode::codex).color, coral);
}

// Texts from elsewhere are laid out at most a few hundred characters a line:
// a long run without spaces costs the text system time quadratic in its
// length. The diagnostics are still copied whole.
TEST_F(MenuTest, LongTextsWithoutSpacesAreShownCutAndCopiedWhole) {
  const std::string version(40'000, 'v'), refusal(40'000, 'e');
  desktop.model().lumetta.shortVersion = version;
  desktop.model().loginItem.registerError = refusal;
  start();
  runFor(2);
  MenuContent content(*controller, platform->platform(), [] {});
  for (const char* toggled : {"Launch at login", "Diagnostics"}) {
    ViewNode before = describeMenu(content);
    sim::toggleOf(node(before, toggled)).second(true);
  }
  ViewNode root = describeMenu(content);

  const std::string ellipsis = "\u2026";
  EXPECT_EQ(root.children[2].text, refusal.substr(0, kLongestShownLine - 1) + ellipsis);
  const std::string& shown = node(root, "Diagnostics").children[2].text;
  EXPECT_EQ(shown.substr(0, shown.find('\n')),
            "Lumetta " + version.substr(0, kLongestShownLine - 9) + ellipsis);
  EXPECT_NE(shown.find("\nWindow 1 pid=501"), std::string::npos) << "the lines after it stay";

  // Counted: no line the layout measures is longer than the cap.
  struct Counting final : ViewMetrics {
    testing::FakeViewMetrics metrics;
    std::size_t longestLine = 0;
    Size textSize(const std::string& text, FontRole font, bool digits,
                  std::optional<double> maxWidth) override {
      for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::size_t characters = 0;
        for (std::size_t i = start; i < end; ++i) characters += (text[i] & 0xC0) != 0x80;
        longestLine = std::max(longestLine, characters);
        start = end + 1;
      }
      return metrics.textSize(text, font, digits, maxWidth);
    }
    Size controlSize(const ViewNode& node) override { return metrics.controlSize(node); }
  } counting;
  layOut(root, counting, kPopoverWidth);
  EXPECT_EQ(counting.longestLine, kLongestShownLine);

  control<kinds::Button>(root, "Copy diagnostics").onPress();
  EXPECT_EQ(platform->pasteboard().text(), controller->summary());
  EXPECT_NE(controller->summary().find(version), std::string::npos);
}

TEST(ShownText, CutsCountCharactersNotBytesAndBoundTheWhole) {
  std::string accents;
  for (int i = 0; i < 600; ++i) accents += "\u00e9";
  EXPECT_EQ(shownText(accents), accents.substr(0, 2 * (kLongestShownLine - 1)) + "\u2026");
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += std::string(99, 'a') + "\n";
  const std::string shown = shownText(lines);
  EXPECT_EQ(shown.size(), kLongestShownText - 1 + std::string("\u2026").size());
  EXPECT_EQ(shown.substr(0, 200), lines.substr(0, 200));
  EXPECT_EQ(shownText("short\nlines"), "short\nlines");
}

// The content asks for the system's prompt; Quit is the owner's (MenuBarRun
// stops the controller), the content stops nothing itself.
TEST_F(MenuTest, SetUpPromptsAndQuitIsLeftToTheOwner) {
  desktop.trusted(false);
  start();
  int quits = 0;
  MenuContent content(*controller, platform->platform(), [&] { ++quits; });
  ViewNode root = describeMenu(content);
  control<kinds::Button>(root, "Set up Accessibility\u2026").onPress();
  EXPECT_EQ(platform->accessibility().trustPrompts(), 1);
  control<kinds::Button>(root, "Quit").onPress();
  EXPECT_EQ(quits, 1);
  EXPECT_FALSE(controller->isStopped());
  EXPECT_FALSE(platform->application().terminated());
}

TEST_F(MenuTest, LogoShowsOnlyWhenItsResourceLoads) {
  const std::filesystem::path notAnImage =
      std::filesystem::temp_directory_path() / ("lumetta-menu-logo-" + std::to_string(getpid()));
  std::filesystem::create_directories(notAnImage);
  std::ofstream(notAnImage / "Lumetta-Logo.png") << "not a picture";
  // The first thing the header shows, for a bundle with the resources `resources`.
  // Only looked at: the actions of the tree are not called once its content is gone.
  auto header = [&](std::optional<std::string> resources) {
    controller.reset();
    desktop = testing::controllerDesktop();
    desktop.model().lumetta.resources = std::move(resources);
    start();
    MenuContent content(*controller, platform->platform(), [] {});
    return describeMenu(content).children[0].children[0];
  };
  EXPECT_EQ(header(std::nullopt).kind(), ViewKind::verticalStack);         // no resources
  EXPECT_EQ(header(notAnImage.string()).kind(), ViewKind::verticalStack);  // not an image
  std::filesystem::remove_all(notAnImage);

  // The repository's own logo.
  const ViewNode logo = header(LUMETTA_SOURCE_DIR "/resources");
  EXPECT_EQ(logo.kind(), ViewKind::image);
  EXPECT_TRUE(logo.accessibilityHidden);
  EXPECT_EQ(logo.width, 40);
  EXPECT_EQ(logo.height, 40);
}

}  // namespace
}  // namespace lumetta
