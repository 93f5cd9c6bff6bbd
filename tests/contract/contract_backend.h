// The backend a contract suite runs against: the services through the seam,
// and the few things a test needs the desktop itself to do. Each backend
// defines makeContractBackend() once (the simulated desktop on Linux, the real
// one on a Mac); every test makes its own.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace lumetta::contract {

// The subject application shows a window with this title.
inline constexpr std::string_view kSubjectTitle = "Lumetta contract";
// The user-defaults keys the tests write begin with this.
inline constexpr std::string_view kDefaultsKeyPrefix = "LumettaContract.";

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

  // Stores text under `key` of the user defaults, as another program might.
  virtual void storeDefaultsText(std::string_view key, std::string_view text) = 0;
  // The user picks a colour in the shared colour panel; the second form picks
  // one that has no sRGB form (a pattern).
  virtual void pickColor(const Color& color) = 0;
  virtual void pickColorWithoutSRGB() = 0;

  // The plain text on the general pasteboard, read as another program would.
  virtual std::optional<std::string> pasteboardText() = 0;
  // Whether registering the login item works here (a test process outside
  // an application bundle has no login item to register).
  virtual bool hasLoginItem() = 0;
  // The application becomes the active one, as the system reports it.
  virtual void activateApplication() = 0;
};

std::unique_ptr<ContractBackend> makeContractBackend();

// How long a test waits for what a backend should do promptly.
inline constexpr Duration kPatience = Duration::seconds(3);

inline void runFor(Platform& platform, Duration duration) {
  platform.runLoop.runUntil(platform.clock.uptime() + duration);
}

// Runs the main loop until `done` holds, for at most kPatience of the
// platform's time; whether `done` holds.
inline bool runUntil(Platform& platform, const std::function<bool()>& done) {
  return platform.runLoop.spinUntil(platform.clock.uptime() + kPatience, done);
}

}  // namespace lumetta::contract
