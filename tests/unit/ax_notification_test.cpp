// The accessibility notifications' one name table: each name is the system's
// own, which desktop files, --watch and recordings spell.
#include "platform/ax_notification.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumetta {
namespace {

// The watch-story end-to-end case spells every name but these two.
TEST(AXNotification, EachHasTheSystemsNameAndOnlyThoseParse) {
  EXPECT_EQ(notificationName(AXNotification::applicationHidden), "AXApplicationHidden");
  EXPECT_EQ(notificationName(AXNotification::applicationShown), "AXApplicationShown");
  for (std::size_t i = 0; i < kAXNotificationCount; ++i) {
    const auto notification = static_cast<AXNotification>(i);
    EXPECT_EQ(parseAXNotification(notificationName(notification)), notification) << i;
  }
  for (std::string_view name : {"", "AXNoSuchNotification", "axmoved", "AXMoved ", "Moved",
                                "kAXMovedNotification", "AXWindowMoved"}) {
    EXPECT_EQ(parseAXNotification(name), std::nullopt) << '"' << name << '"';
  }
}

// The order of the enumeration decides these; a value added in the wrong
// group would be heard, or missed, on the application element.
TEST(AXNotification, TheApplicationLevelOnesAreTheApplicationsAndItsWindowsFocus) {
  std::vector<std::string_view> level;
  for (std::size_t i = 0; i < kAXNotificationCount; ++i) {
    const auto notification = static_cast<AXNotification>(i);
    if (isApplicationLevel(notification)) level.push_back(notificationName(notification));
  }
  EXPECT_EQ(level, (std::vector<std::string_view>{
                       "AXWindowCreated", "AXFocusedWindowChanged", "AXMainWindowChanged",
                       "AXFocusedUIElementChanged", "AXApplicationActivated",
                       "AXApplicationDeactivated", "AXApplicationHidden", "AXApplicationShown"}));
}

}  // namespace
}  // namespace lumetta
