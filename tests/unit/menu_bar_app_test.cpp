// The menu-bar application keeps the popover showing the current state: a
// setting changed anywhere, an action in the popover and the popover opening
// each lead to a new laid-out tree.
#include <gtest/gtest.h>

#include "menu/menu_bar_app.h"
#include "support/menu_fixture.h"

namespace lumetta {
namespace {

using testing::findNode;
using testing::MenuTest;
using testing::node;

TEST_F(MenuTest, MenuBarAppShowsEveryChange) {
  desktop.model().loginItem.status = LoginItemStatus::enabled;
  desktop.at(1).loginItem([](auto& item) { item.status = LoginItemStatus::notFound; });
  start();
  sim::SimMenuBarExtra& menuBar = platform->menuBar();
  {
    MenuBarApp app(platform->platform(), *controller, [] {});
    EXPECT_EQ(menuBar.content().frame.width, 340);
    ViewNode shown;
    auto control = [&](std::string_view label) -> ViewNode& {
      shown = menuBar.content();
      return node(shown, label);
    };

    // A setting changed elsewhere shows once the main queue runs.
    controller->setAppearance(WindowMode::codex, &ModeAppearance::strength, 0.2);
    EXPECT_EQ(findNode(shown = menuBar.content(), "20%"), nullptr);
    runFor(0.01);
    EXPECT_GT(control("20%").frame.width, 0);  // shown and laid out

    // So does the content's own state, changed by a node's action.
    control("GPT").as<kinds::Tab>().onPress();
    runFor(0.01);
    EXPECT_TRUE(control("GPT").as<kinds::Tab>().selected);

    // The login item's status is read again each time the popover opens.
    runUntil(1.5);
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
