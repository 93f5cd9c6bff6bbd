// Workspace notifications: launch and termination of applications, Space
// changes, sleep and wake of the system and the screens, and the user session
// resigning or becoming active. A backend posts what the system reports; the
// activity gate's check suite posts into a private centre of its own.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

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
  struct State;

 public:
  using Callback = std::function<void(const Notification&)>;

  // Removes its observer when released; it may outlive the centre.
  class Registration {
   public:
    Registration() = default;
    Registration(Registration&&) noexcept = default;
    Registration& operator=(Registration&& other) noexcept;
    ~Registration() { remove(); }
    void remove();

   private:
    friend class NotificationCenter;
    Registration(std::weak_ptr<State> state, std::uint64_t id)
        : state_(std::move(state)), id_(id) {}
    std::weak_ptr<State> state_;
    std::uint64_t id_ = 0;
  };

  explicit NotificationCenter(RunLoop& runLoop);

  // Observers are called on the main thread.
  [[nodiscard]] Registration addObserver(WorkspaceNotification name, Callback callback);
  // On the main thread observers are called before post returns; from any
  // other thread the delivery is posted to the main queue.
  void post(const Notification& notification);

 private:
  RunLoop& runLoop_;
  std::shared_ptr<State> state_;
};

}  // namespace lumetta
