// The accessibility notifications' one name table: each name is the system's
// own, which desktop files, --watch and recordings spell.
#include "platform/ax_notification.h"

#include <gtest/gtest.h>

namespace lumetta {
namespace {

TEST(AXNotification, EachHasTheSystemsNameAndParsesBackFromIt) {
  // In the enumeration's order.
  constexpr std::string_view kSystemNames[] = {"AXWindowCreated",
                                               "AXFocusedWindowChanged",
                                               "AXMainWindowChanged",
                                               "AXFocusedUIElementChanged",
                                               "AXApplicationActivated",
                                               "AXApplicationDeactivated",
                                               "AXApplicationHidden",
                                               "AXApplicationShown",
                                               "AXMoved",
                                               "AXResized",
                                               "AXUIElementDestroyed",
                                               "AXWindowMiniaturized",
                                               "AXWindowDeminiaturized",
                                               "AXLayoutChanged",
                                               "AXTitleChanged",
                                               "AXValueChanged",
                                               "AXLoadComplete",
                                               "AXSelectedChildrenChanged"};
  ASSERT_EQ(std::size(kSystemNames), kAXNotificationCount);
  for (std::size_t i = 0; i < kAXNotificationCount; ++i) {
    const auto notification = static_cast<AXNotification>(i);
    EXPECT_EQ(notificationName(notification), kSystemNames[i]);
    EXPECT_EQ(parseAXNotification(kSystemNames[i]), notification) << kSystemNames[i];
  }
}

TEST(AXNotification, ANameOutsideTheVocabularyParsesToNone) {
  for (std::string_view name : {"", "AXNoSuchNotification", "axmoved", "AXMoved ", "Moved",
                                "kAXMovedNotification", "AXWindowMoved"}) {
    EXPECT_EQ(parseAXNotification(name), std::nullopt) << '"' << name << '"';
  }
}

}  // namespace
}  // namespace lumetta
