// Workspace notifications: launch and termination of applications, Space
// changes, sleep and wake of the system and the screens, and the user session
// resigning or becoming active. A backend posts what the system reports; the
// activity gate's check suite posts into a private centre of its own.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/callback_list.h"
#include "platform/run_loop.h"
#include "platform/running_application.h"

namespace lumetta {

enum class WorkspaceNotification {
  didLaunchApplication,
  didTerminateApplication,
  activeSpaceDidChange,
  willSleep,
  didWake,
  screensDidSleep,
  screensDidWake,
  sessionDidResignActive,
  sessionDidBecomeActive,
  // Not the workspace's: the application's own centre (application.h).
  applicationDidBecomeActive,
};

// "NSWorkspaceDidLaunchApplicationNotification" and so on.
std::string_view notificationName(WorkspaceNotification name);

struct Notification {
  WorkspaceNotification name;
  std::optional<RunningApplication> application;  // for launch and termination
};

class NotificationCenter {
 public:
  using Callback = std::function<void(const Notification&)>;

  explicit NotificationCenter(RunLoop& runLoop) : runLoop_(runLoop) {}

  // Observers are called on the main thread, until their registration is
  // released (it may outlive the centre). An observer removed by an earlier
  // one during a delivery is not called.
  Registration addObserver(WorkspaceNotification name, Callback callback);
  // On the main thread observers are called before post returns; from any
  // other thread the delivery is posted to the main queue.
  void post(const Notification& notification);

 private:
  static constexpr std::size_t kNames =
      static_cast<std::size_t>(WorkspaceNotification::applicationDidBecomeActive) + 1;
  // The observers of each name; a delivery posted from another thread holds
  // them weakly.
  using Observers = std::array<CallbackList<const Notification&>, kNames>;

  RunLoop& runLoop_;
  const std::shared_ptr<Observers> observers_ = std::make_shared<Observers>();
};

}  // namespace lumetta
