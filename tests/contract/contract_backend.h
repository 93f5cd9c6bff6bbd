// The backend a contract suite runs against: the services through the seam,
// and the few things a test needs the desktop itself to do. Each backend
// defines makeContractBackend() once (the simulated desktop on Linux, the real
// one on a Mac); every test makes its own.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace lumetta::contract {

// The subject application shows a window with this title.
inline constexpr std::string_view kSubjectTitle = "Lumetta contract";

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  virtual Platform platform() = 0;

  // A running application the tests may read and observe.
  virtual Pid subject() = 0;
  // Retitles the subject's window, which announces "AXTitleChanged" on it.
  virtual void retitleSubjectWindow(std::string_view title) = 0;
  // Makes the system's workspace report `name`, on the main thread; a launch
  // or termination is the subject's.
  virtual void reportWorkspaceEvent(WorkspaceNotification name) = 0;
  // Whether the subject's window has a child that never answers (a hung
  // renderer); a backend that cannot make one skips those tests.
  virtual bool hasHungChild() = 0;
};

std::unique_ptr<ContractBackend> makeContractBackend();

inline void runFor(Platform& platform, double seconds) {
  platform.runLoop.runUntil(platform.clock.uptime() + seconds);
}

// Runs the main loop in short slices until `done` holds or `limit` seconds of
// the platform's time have passed; whether `done` holds.
inline bool runUntil(Platform& platform, const std::function<bool()>& done, double limit = 3) {
  const double end = platform.clock.uptime() + limit;
  while (!done() && platform.clock.uptime() < end) {
    platform.runLoop.runUntil(std::min(platform.clock.uptime() + 0.02, end));
  }
  return done();
}

}  // namespace lumetta::contract
