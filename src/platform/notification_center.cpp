#include "platform/notification_center.h"

#include <algorithm>

namespace lumetta {

struct NotificationCenter::State {
  struct Observer {
    std::uint64_t id;
    WorkspaceNotification name;
    std::shared_ptr<Callback> callback;
  };
  std::mutex mutex;
  std::uint64_t nextId = 1;
  std::vector<Observer> observers;

  bool contains(std::uint64_t id) {
    std::lock_guard lock(mutex);
    return std::any_of(observers.begin(), observers.end(), [&](auto& o) { return o.id == id; });
  }

  void deliver(const Notification& notification) {
    std::vector<Observer> current;
    {
      std::lock_guard lock(mutex);
      current = observers;
    }
    for (const Observer& observer : current) {
      // An observer removed by an earlier one in this delivery is not called.
      if (observer.name == notification.name && contains(observer.id)) {
        (*observer.callback)(notification);
      }
    }
  }
};

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

NotificationCenter::Registration& NotificationCenter::Registration::operator=(
    Registration&& other) noexcept {
  if (this != &other) {
    remove();
    state_ = std::move(other.state_);
    id_ = other.id_;
    other.id_ = 0;
  }
  return *this;
}

void NotificationCenter::Registration::remove() {
  if (auto state = state_.lock()) {
    std::lock_guard lock(state->mutex);
    std::erase_if(state->observers, [&](auto& o) { return o.id == id_; });
  }
  state_.reset();
}

NotificationCenter::NotificationCenter(RunLoop& runLoop)
    : runLoop_(runLoop), state_(std::make_shared<State>()) {}

NotificationCenter::Registration NotificationCenter::addObserver(WorkspaceNotification name,
                                                                 Callback callback) {
  std::lock_guard lock(state_->mutex);
  std::uint64_t id = state_->nextId++;
  state_->observers.push_back({id, name, std::make_shared<Callback>(std::move(callback))});
  return Registration(state_, id);
}

void NotificationCenter::post(const Notification& notification) {
  if (runLoop_.isMainThread()) {
    state_->deliver(notification);
  } else {
    runLoop_.post([weak = std::weak_ptr(state_), notification] {
      if (auto state = weak.lock()) state->deliver(notification);
    });
  }
}

}  // namespace lumetta
