#include "platform/ax_notification.h"

namespace lumetta {

std::string_view notificationName(AXNotification name) {
  switch (name) {
    case AXNotification::windowCreated: return "AXWindowCreated";
    case AXNotification::focusedWindowChanged: return "AXFocusedWindowChanged";
    case AXNotification::mainWindowChanged: return "AXMainWindowChanged";
    case AXNotification::focusedUIElementChanged: return "AXFocusedUIElementChanged";
    case AXNotification::applicationActivated: return "AXApplicationActivated";
    case AXNotification::applicationDeactivated: return "AXApplicationDeactivated";
    case AXNotification::applicationHidden: return "AXApplicationHidden";
    case AXNotification::applicationShown: return "AXApplicationShown";
    case AXNotification::moved: return "AXMoved";
    case AXNotification::resized: return "AXResized";
    case AXNotification::uiElementDestroyed: return "AXUIElementDestroyed";
    case AXNotification::windowMiniaturized: return "AXWindowMiniaturized";
    case AXNotification::windowDeminiaturized: return "AXWindowDeminiaturized";
    case AXNotification::layoutChanged: return "AXLayoutChanged";
    case AXNotification::titleChanged: return "AXTitleChanged";
    case AXNotification::valueChanged: return "AXValueChanged";
    case AXNotification::loadComplete: return "AXLoadComplete";
    case AXNotification::selectedChildrenChanged: return "AXSelectedChildrenChanged";
  }
  return "";
}

std::optional<AXNotification> parseAXNotification(std::string_view name) {
  for (std::size_t i = 0; i < kAXNotificationCount; ++i) {
    const auto notification = static_cast<AXNotification>(i);
    if (notificationName(notification) == name) return notification;
  }
  return std::nullopt;
}

}  // namespace lumetta
