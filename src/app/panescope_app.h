// The application type. Its dispatcher runs a diagnostic mode to the end and
// yields the exit status; without a mode flag the menu-bar application runs.
#pragma once

#include <functional>
#include <optional>
#include <ostream>

#include "app/command_line.h"
#include "platform/platform.h"

namespace lumetta {

class PanescopeApp {
 public:
  PanescopeApp(const Platform& platform, std::ostream& out, std::ostream& err)
      : platform_(platform), out_(out), err_(err) {}

  // The exit status of a diagnostic mode; none for the menu-bar application.
  // Main thread only (checked): the modes run the main loop.
  std::optional<int> dispatch(const CommandLine& command);
  // Called once a mode has done its work, while what it shows is still on
  // screen (the overlay panels of --overlays).
  void onModeEnd(std::function<void()> hook) { modeEnd_ = std::move(hook); }
  // Asked between turns of the main loop: once it holds, a timed mode
  // (--overlays, --watch, --record --watch) ends as if its time had run out.
  void stopWhen(std::function<bool()> requested) { stopRequested_ = std::move(requested); }

 private:
  std::optional<int> runMode(const CommandLine& command);
  // --record FILE [--watch SECONDS]: the desktop file, written whole or not at all;
  // written too when the watch ended early because `out` failed.
  int record(const CommandLine& command);
  // Runs the main run loop for `duration`, or until a write to `out` fails
  // or a stop is requested; nothing at all for zero or less.
  void runFor(Duration duration);

  Platform platform_;
  std::ostream& out_;
  std::ostream& err_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
  std::function<void()> modeEnd_ = [] {};
  std::function<bool()> stopRequested_ = [] { return false; };
};

}  // namespace lumetta
