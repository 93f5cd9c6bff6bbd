// The popover's content as data: which rows show in which state, their exact
// words, and what pressing, toggling and sliding them does to the controller,
// the view-local state and the system services.
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
using testing::findNode;
using testing::MenuTest;
using testing::node;

// The first text of each row of the popover, in order ("" for the divider).
std::vector<std::string> rowTitles(const ViewNode& root) {
  std::function<std::string(const ViewNode&)> first = [&](const ViewNode& node) {
    if (!node.text.empty()) return node.text;
    for (const ViewNode& child : node.children) {
      if (std::string text = first(child); !text.empty()) return text;
    }
    return std::string();
  };
  std::vector<std::string> titles;
  for (const ViewNode& row : root.children) titles.push_back(first(row));
  return titles;
}

struct Settings {
  ModeAppearance codex, chatGPT;
  bool operator==(const Settings&) const = default;
};

Settings settingsOf(const OverlayController& c) {
  return {c.appearance(WindowMode::codex), c.appearance(WindowMode::chatGPT)};
}

TEST_F(MenuTest, SetUpRowsShowWhileThePermissionIsMissing) {
  desktop.trusted(false).at(2).trusted(true);
  desktop.at(4).trusted(false);
  start();
  MenuContent content(*controller, platform->platform(), [] {});
  runFor(1);
  const std::string already =
      "Already enabled? Remove the old entry with \u2212, then add this copy with + and reopen "
      "Lumetta.";
  const std::vector<std::string> setUp = {"Lumetta",
                                          "Launch at login",
                                          "Setup: allow Accessibility to identify window modes.",
                                          "Set up Accessibility\u2026",
                                          already,
                                          "Show this copy in Finder",
                                          "Codex",
                                          "",
                                          "Diagnostics",
                                          "Refresh"};
  EXPECT_EQ(rowTitles(describeMenu(content)), setUp);

  runUntil(3);  // granted: the next census publishes it
  std::vector<std::string> ready = setUp;
  ready.erase(ready.begin() + 2, ready.begin() + 6);
  EXPECT_EQ(rowTitles(describeMenu(content)), ready);

  runUntil(5);  // revoked again
  EXPECT_EQ(rowTitles(describeMenu(content)), setUp);

  ViewNode root = describeMenu(content);
  EXPECT_NE(findNode(root, "Choose an appearance for each mode."), nullptr);
  EXPECT_NE(findNode(root, "Start Lumetta automatically when you sign in to your Mac."), nullptr);
  EXPECT_NE(findNode(root, "Quit"), nullptr);
}

TEST_F(MenuTest, LaunchAtLoginShowsWhatTheSystemReports) {
  desktop.model().loginItem.needsApproval = true;
  desktop.at(1).approveLogin();
  desktop.at(2).loginItem([](auto& item) { item.unregisterError = "Operation not permitted."; });
  desktop.at(3).loginItem([](auto& item) { item.unregisterError.emplace(); });
  start();
  MenuContent content(*controller, platform->platform(), [] {});
  auto box = [&] {
    return control<kinds::Checkbox>(describeMenu(content).children[1], "Launch at login");
  };
  EXPECT_FALSE(box().on);

  // Waiting for approval: unchecked, no error, until the status is read again;
  // the settings where the user approves it are opened for them.
  box().onToggle(true);
  EXPECT_FALSE(box().on);
  EXPECT_EQ(rowTitles(describeMenu(content))[2], "Codex");  // no error line
  EXPECT_EQ(platform->loginItem().approvalSettingsOpened(), 1);
  runUntil(1);  // approved in the system settings
  EXPECT_FALSE(box().on);
  content.appear();
  EXPECT_TRUE(box().on);

  // A failure shows in red under the box; the next toggle clears it first.
  runUntil(2);
  box().onToggle(false);
  ViewNode error = describeMenu(content).children[2];
  EXPECT_EQ(error.text, "Operation not permitted.");
  EXPECT_EQ(error.foreground.role, ColorRole::red);
  EXPECT_TRUE(box().on);
  runUntil(3);
  box().onToggle(false);
  EXPECT_EQ(content.error(), "");
  EXPECT_FALSE(box().on);
  EXPECT_EQ(platform->loginItem().status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(platform->loginItem().approvalSettingsOpened(), 1);
}

TEST_F(MenuTest, LaunchAtLoginFromATranslocatedCopyAsksToMoveLumettaFirst) {
  desktop.model().loginItem.needsApproval = true;
  desktop.model().lumetta.bundlePath =
      "/private/var/folders/x7/T/AppTranslocation/0F1E2D3C/d/Lumetta.app";
  start();
  MenuContent content(*controller, platform->platform(), [] {});
  control<kinds::Checkbox>(describeMenu(content).children[1], "Launch at login").onToggle(true);
  const ViewNode error = describeMenu(content).children[2];
  EXPECT_TRUE(error.text.starts_with("Lumetta is running from a temporary copy")) << error.text;
  EXPECT_NE(error.text.find("Move Lumetta to the Applications folder"), std::string::npos);
  EXPECT_EQ(error.foreground.role, ColorRole::red);
  EXPECT_FALSE(content.launchAtLogin());
  EXPECT_EQ(platform->loginItem().requests(), 0) << "the system was asked";
  EXPECT_EQ(platform->loginItem().approvalSettingsOpened(), 0);
}

TEST_F(MenuTest, TabsChooseTheModeTheEditorShowsAndChangeNoSetting) {
  start();
  controller->setAppearance(WindowMode::codex, &ModeAppearance::strength, 0.125);
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::style, OverlayStyle::border);
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::strength, 0.2);
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::borderWidth, 6.9);
  MenuContent content(*controller, platform->platform(), [] {});
  const Settings before = settingsOf(*controller);

  ViewNode root = describeMenu(content);
  EXPECT_TRUE(control<kinds::Tab>(root, "Codex").selected);
  EXPECT_FALSE(control<kinds::Tab>(root, "GPT").selected);
  EXPECT_NE(findNode(root, "13%"), nullptr);  // 12.5 rounds up
  EXPECT_EQ(findNode(root, "Thickness"), nullptr);
  EXPECT_EQ(control<kinds::Segmented>(root, "Style").selected, 0);

  control<kinds::Tab>(root, "GPT").onPress();
  EXPECT_EQ(settingsOf(*controller), before);
  root = describeMenu(content);
  EXPECT_TRUE(control<kinds::Tab>(root, "GPT").selected);
  EXPECT_EQ(node(root, "GPT").foreground.role, ColorRole::accent);
  EXPECT_EQ(node(root, "Codex").foreground.role, ColorRole::secondary);
  EXPECT_FALSE(
      control<kinds::ToggleSwitch>(root, "Enabled").on);  // ChatGPT overlays are off by default
  EXPECT_EQ(control<kinds::Segmented>(root, "Style").selected, 1);
  EXPECT_NE(findNode(root, "20%"), nullptr);
  EXPECT_NE(findNode(root, "6 pt"), nullptr);  // 6.9 is truncated

  // The controls now write the ChatGPT settings only.
  control<kinds::Slider>(root, "Thickness").onSlide(9);
  control<kinds::Slider>(root, "Tint").onSlide(0.11);
  control<kinds::ToggleSwitch>(root, "Enabled").onToggle(true);
  control<kinds::Segmented>(root, "Style").onSelect(0);
  EXPECT_EQ(controller->appearance(WindowMode::chatGPT).borderWidth, 9);
  EXPECT_EQ(controller->appearance(WindowMode::chatGPT).strength, 0.11);
  EXPECT_TRUE(controller->appearance(WindowMode::chatGPT).enabled);
  EXPECT_EQ(controller->appearance(WindowMode::chatGPT).style, OverlayStyle::topBar);
  EXPECT_EQ(controller->appearance(WindowMode::codex).strength, 0.125);
  EXPECT_EQ(controller->appearance(WindowMode::codex).borderWidth, before.codex.borderWidth);
  EXPECT_EQ(findNode(root = describeMenu(content), "Thickness"), nullptr);
}

TEST_F(MenuTest, StarterSwatchIsRingedOnlyWhileItsColourIsTheModes) {
  start();
  MenuContent content(*controller, platform->platform(), [] {});
  auto ringed = [&] {
    ViewNode root = describeMenu(content);
    std::vector<std::string> names;
    for (std::string_view name : kStarterNames) {
      if (control<kinds::Swatch>(root, std::string(name) + " starter color").selected)
        names.emplace_back(name);
    }
    return names;
  };
  EXPECT_EQ(ringed(), std::vector<std::string>{"Blue"});  // the default Codex colour

  ViewNode root = describeMenu(content);
  ViewNode& purple = node(root, "Purple starter color");
  EXPECT_EQ(purple.help, "Purple");
  purple.as<kinds::Swatch>().onPress();
  EXPECT_EQ(controller->appearance(WindowMode::codex).color, Color::systemPurple());
  EXPECT_EQ(ringed(), std::vector<std::string>{"Purple"});
  EXPECT_EQ(
      control<kinds::ColorButton>(root = describeMenu(content), "Choose your own color").color,
      Color::systemPurple());

  control<kinds::ColorButton>(root, "Choose your own color").onPress();
  platform->colorPanel().pick(Color{0.2, 0.4, 0.6, 1});
  EXPECT_EQ(ringed(), std::vector<std::string>{});
  platform->colorPanel().pick(Color::systemGreen());  // equal to a system colour: ringed
  EXPECT_EQ(ringed(), std::vector<std::string>{"Green"});
}

// Opened on one tab, the panel keeps colouring that mode after the other tab
// is chosen, whichever tab it was. A pick recolours the mode's panels at
// once; one without an sRGB form is ignored.
TEST_F(MenuTest, ColourPanelKeepsEditingTheModeItWasOpenedFor) {
  start();
  runFor(1.5);
  MenuContent content(*controller, platform->platform(), [] {});
  ViewNode root = describeMenu(content);
  control<kinds::ColorButton>(root, "Choose your own color").onPress();
  EXPECT_TRUE(platform->colorPanel().state().visible);
  control<kinds::Tab>(root, "GPT").onPress();
  const Color gpt = controller->appearance(WindowMode::chatGPT).color;
  const Color coral{1, 0.5, 0.31, 1};
  platform->colorPanel().pick(coral);
  EXPECT_EQ(controller->appearance(WindowMode::codex).color, coral);
  EXPECT_EQ(entry(2)->panel->layer().color(), coral);
  EXPECT_EQ(controller->appearance(WindowMode::chatGPT).color, gpt);
  platform->colorPanel().pick(sim::PatternColor{"bricks"});
  EXPECT_EQ(controller->appearance(WindowMode::codex).color, coral);

  root = describeMenu(content);  // on the GPT tab now
  control<kinds::ColorButton>(root, "Choose your own color").onPress();
  control<kinds::Tab>(root, "Codex").onPress();
  const Color teal{0, 0.5, 0.5, 1};
  platform->colorPanel().pick(teal);
  EXPECT_EQ(controller->appearance(WindowMode::chatGPT).color, teal);
  EXPECT_EQ(controller->appearance(WindowMode::codex).color, coral);
}

TEST_F(MenuTest, DiagnosticsAreCollapsedAndCopyExactlyWhatTheyShow) {
  start();
  runFor(2);
  MenuContent content(*controller, platform->platform(), [] {});
  ViewNode root = describeMenu(content);
  EXPECT_EQ(findNode(root, "Copy diagnostics"), nullptr);
  control<kinds::Disclosure>(root, "Diagnostics").onToggle(true);

  root = describeMenu(content);
  const ViewNode* shown = &node(root, "Diagnostics").children[2];
  EXPECT_EQ(shown->kind(), ViewKind::scrollText);
  EXPECT_EQ(shown->text, controller->summary());
  EXPECT_NE(shown->text.find("Window 1 pid=501"), std::string::npos);
  control<kinds::Button>(root, "Copy diagnostics").onPress();
  EXPECT_EQ(platform->pasteboard().text(), shown->text);
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
    ViewNode* node = findNode(before, toggled);
    ASSERT_NE(node, nullptr) << toggled;
    sim::toggleOf(*node).second(true);
  }
  ViewNode root = describeMenu(content);

  const std::string ellipsis = "\u2026";
  EXPECT_EQ(root.children[2].text, refusal.substr(0, kLongestShownLine - 1) + ellipsis);
  ASSERT_NE(findNode(root, "Diagnostics"), nullptr);
  const std::string& shown = findNode(root, "Diagnostics")->children[2].text;
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

  ASSERT_NE(findNode(root, "Copy diagnostics"), nullptr);
  findNode(root, "Copy diagnostics")->as<kinds::Button>().onPress();
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

TEST_F(MenuTest, ButtonsAskTheSystem) {
  desktop.trusted(false).model().lumetta.bundlePath = "/Users/me/Downloads/Lumetta.app";
  start();
  int quits = 0;
  MenuContent content(*controller, platform->platform(), [&] { ++quits; });
  ViewNode root = describeMenu(content);
  control<kinds::Button>(root, "Set up Accessibility\u2026").onPress();
  EXPECT_EQ(platform->accessibility().trustPrompts(), 1);
  EXPECT_EQ(platform->workspace().openedURLs(),
            std::vector<std::string>{std::string(kAccessibilitySettingsURL)});
  control<kinds::Button>(root, "Show this copy in Finder").onPress();
  EXPECT_EQ(platform->workspace().revealedPaths(),
            std::vector<std::vector<std::string>>{{"/Users/me/Downloads/Lumetta.app"}});

  // Quit is the owner's: the content stops nothing itself (MenuBarRun does).
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
