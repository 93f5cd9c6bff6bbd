// Accessibility notifications: the ones Lumetta registers for on another
// application's elements or tells apart when one arrives. Their names are the
// system's own ("AXUIElementDestroyed"): the simulated desktop's files and
// every diagnostic that prints a notification use them.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace lumetta {

enum class AXNotification {
  // Application-level: heard on the application element too; the last of
  // them is applicationShown (isApplicationLevel).
  windowCreated,
  focusedWindowChanged,
  mainWindowChanged,
  focusedUIElementChanged,
  applicationActivated,
  applicationDeactivated,
  applicationHidden,
  applicationShown,
  // About one element.
  moved,
  resized,
  uiElementDestroyed,
  windowMiniaturized,
  windowDeminiaturized,
  layoutChanged,
  titleChanged,
  valueChanged,
  loadComplete,
  selectedChildrenChanged,  // the last: kAXNotificationCount counts to it
};

inline constexpr std::size_t kAXNotificationCount =
    static_cast<std::size_t>(AXNotification::selectedChildrenChanged) + 1;

// Whether the application element hears it too, whichever element of the
// application it is about (the first group above).
constexpr bool isApplicationLevel(AXNotification notification) {
  return notification <= AXNotification::applicationShown;
}

// "AXWindowCreated" and so on.
std::string_view notificationName(AXNotification name);
// The notification of that name; none for a name outside the vocabulary.
std::optional<AXNotification> parseAXNotification(std::string_view name);

}  // namespace lumetta
