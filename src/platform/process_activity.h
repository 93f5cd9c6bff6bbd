// Work the user counts on while the application may show no window at all.
// While an activity is held the system keeps the process's timers and queues
// on time (on macOS an agent application without a visible window is
// otherwise eligible for App Nap, which defers them by seconds); the computer
// may still sleep when idle, and so may its displays.
#pragma once

#include <memory>
#include <string>

namespace lumetta {

// Held while it lives; released, the activity ends.
class ProcessActivity {
 public:
  virtual ~ProcessActivity() = default;
};

// Main thread only.
class ProcessActivities {
 public:
  virtual ~ProcessActivities() = default;
  // `reason` names the work in the system's diagnostics.
  virtual std::unique_ptr<ProcessActivity> begin(const std::string& reason) = 0;
};

}  // namespace lumetta
