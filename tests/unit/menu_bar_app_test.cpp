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

TEST_F(MenuTest, MenuBarAppShowsEveryChange) {
  start(testing::controllerDesktop());
  loginItem.needsApproval = true;
  {
    MenuBarApp app(*menu, controller);
    ASSERT_TRUE(menuBar.installed);
    EXPECT_EQ(menuBar.installed->title, "Lumetta");
    EXPECT_EQ(menuBar.installed->symbolName, "rectangle.topthird.inset.filled");
    EXPECT_EQ(menuBar.root.frame.width, 340);
    auto shown = [&](std::string_view label) { return findNode(menuBar.root, label); };

    // A setting changed elsewhere shows once the main queue runs.
    controller->setTint(false);
    controller->setStrength(0.2);
    EXPECT_EQ(shown("20%"), nullptr);
    runFor(0.01);
    EXPECT_NE(shown("20%"), nullptr);
    EXPECT_NE(shown("Thickness"), nullptr);
    EXPECT_GT(findNode(menuBar.root, "Thickness", ViewKind::slider)->frame.width, 0);

    // So does the content's own state, changed by a node's action.
    shown("GPT")->onPress();
    runFor(0.01);
    EXPECT_TRUE(shown("GPT")->selected);

    // Approved in the system settings: shown when the application becomes active.
    shown("Launch at login")->onToggle(true);
    runFor(0.01);
    EXPECT_FALSE(shown("Launch at login")->on);
    loginItem.current = LoginItemStatus::enabled;
    application->center.post({WorkspaceNotification::applicationDidBecomeActive, std::nullopt});
    runFor(0.01);
    EXPECT_TRUE(shown("Launch at login")->on);
    // And each time the popover opens.
    loginItem.current = LoginItemStatus::notFound;
    menuBar.opened();
    runFor(0.01);
    EXPECT_FALSE(shown("Launch at login")->on);
  }
  // Gone: the popover holds no action, and later changes show nothing.
  EXPECT_TRUE(menuBar.root.children.empty());
  const int contents = menuBar.contents;
  controller->setStrength(0.1);
  runFor(0.01);
  EXPECT_EQ(menuBar.contents, contents);
}

}  // namespace
}  // namespace lumetta
