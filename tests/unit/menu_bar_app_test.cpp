// The menu-bar application keeps the popover showing the current state: a
// setting changed anywhere, an action in the popover, the popover opening
// and the application becoming active each lead to a new laid-out tree.
#include <gtest/gtest.h>

#include "menu/menu_bar_app.h"
#include "support/menu_fixture.h"

namespace lumetta {
namespace {

using testing::findNode;
using testing::MenuTest;
using testing::node;

TEST_F(MenuTest, MenuBarAppShowsEveryChange) {
  desktop.model().loginItem.needsApproval = true;
  desktop.at(1).approveLogin();
  desktop.at(2).activate(900);
  desktop.at(3).loginItem([](auto& item) { item.status = LoginItemStatus::notFound; });
  start();
  sim::SimMenuBarExtra& menuBar = platform->menuBar();
  {
    MenuBarApp app(platform->platform(), *controller, [] {});
    ASSERT_TRUE(menuBar.statusItem());
    EXPECT_EQ(menuBar.statusItem()->title, "Lumetta");
    EXPECT_EQ(menuBar.statusItem()->symbolName, "rectangle.topthird.inset.filled");
    EXPECT_EQ(menuBar.content().frame.width, 340);
    ViewNode shownTree;
    auto shown = [&](std::string_view label) {
      shownTree = menuBar.content();
      return findNode(shownTree, label);
    };
    auto control = [&](std::string_view label) -> ViewNode& {
      shownTree = menuBar.content();
      return node(shownTree, label);
    };

    // A setting changed elsewhere shows once the main queue runs.
    controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::border);
    controller->setAppearance(WindowMode::codex, &ModeAppearance::strength, 0.2);
    EXPECT_EQ(shown("20%"), nullptr);
    runFor(0.01);
    EXPECT_NE(shown("20%"), nullptr);
    EXPECT_NE(shown("Thickness"), nullptr);
    EXPECT_GT(node(shownTree, "Thickness", ViewKind::slider).frame.width, 0);

    // So does the content's own state, changed by a node's action.
    control("GPT").as<kinds::Tab>().onPress();
    runFor(0.01);
    EXPECT_TRUE(control("GPT").as<kinds::Tab>().selected);

    // Approved in the system settings: shown when the application becomes active.
    control("Launch at login").as<kinds::Checkbox>().onToggle(true);
    runUntil(1.5);
    EXPECT_FALSE(control("Launch at login").as<kinds::Checkbox>().on);
    runUntil(2.5);
    EXPECT_TRUE(control("Launch at login").as<kinds::Checkbox>().on);
    // And each time the popover opens.
    runUntil(3.5);
    EXPECT_TRUE(control("Launch at login").as<kinds::Checkbox>().on);
    menuBar.open();
    runFor(0.01);
    EXPECT_FALSE(control("Launch at login").as<kinds::Checkbox>().on);
  }
  // Gone: the popover holds no action, and later changes show nothing.
  EXPECT_TRUE(menuBar.content().children.empty());
  controller->setAppearance(WindowMode::codex, &ModeAppearance::strength, 0.1);
  runFor(0.01);
  EXPECT_TRUE(menuBar.content().children.empty());
}

}  // namespace
}  // namespace lumetta
