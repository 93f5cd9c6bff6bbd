#include "platform/notification_center.h"

namespace lumetta {

std::string_view notificationName(WorkspaceNotification name) {
  switch (name) {
    case WorkspaceNotification::didLaunchApplication:
      return "NSWorkspaceDidLaunchApplicationNotification";
    case WorkspaceNotification::didTerminateApplication:
      return "NSWorkspaceDidTerminateApplicationNotification";
    case WorkspaceNotification::activeSpaceDidChange:
      return "NSWorkspaceActiveSpaceDidChangeNotification";
    case WorkspaceNotification::willSleep: return "NSWorkspaceWillSleepNotification";
    case WorkspaceNotification::didWake: return "NSWorkspaceDidWakeNotification";
    case WorkspaceNotification::screensDidSleep: return "NSWorkspaceScreensDidSleepNotification";
    case WorkspaceNotification::screensDidWake: return "NSWorkspaceScreensDidWakeNotification";
    case WorkspaceNotification::sessionDidResignActive:
      return "NSWorkspaceSessionDidResignActiveNotification";
    case WorkspaceNotification::sessionDidBecomeActive:
      return "NSWorkspaceSessionDidBecomeActiveNotification";
    case WorkspaceNotification::applicationDidBecomeActive:
      return "NSApplicationDidBecomeActiveNotification";
  }
  return "";
}

Registration NotificationCenter::addObserver(WorkspaceNotification name, Callback callback) {
  return (*observers_)[static_cast<std::size_t>(name)].add(std::move(callback));
}

void NotificationCenter::post(const Notification& notification) {
  const auto index = static_cast<std::size_t>(notification.name);
  if (runLoop_.isMainThread()) {
    (*observers_)[index].notify(notification);
  } else {
    runLoop_.post([weak = std::weak_ptr(observers_), index, notification] {
      if (auto observers = weak.lock()) (*observers)[index].notify(notification);
    });
  }
}

}  // namespace lumetta
