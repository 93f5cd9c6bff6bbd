// The timeline's user at the menu bar: opens and closes the popover and acts
// on the controls it shows through their own actions, as a person clicking
// them would, and tells the run what it did. A step that cannot be done (the
// popover is closed, nothing of that name is shown, several are) fails the
// script: that step and every later one do nothing, and the run ends with
// the failure. While no status item is installed (the diagnostic modes show
// no menu bar) the steps do nothing.
//
// A step is reported once the main queue has run what it posted (the
// popover's re-render above all), so a look reads the popover as it stands;
// the timeline lets the main queue catch up before a step, too.
//
// Implements: the user steps of the desktop format (user_steps.h).
// Ignores: pointer movement and timing within a step: each step is one
// instant.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/contract_checks.h"
#include "platform/run_loop.h"
#include "platform/sim/desktop/user_steps.h"
#include "platform/sim/services/sim_menu_bar.h"
#include "platform/time.h"

namespace lumetta::sim {

class ScriptedUser {
 public:
  // One thing the user did, at `at` from the start of the desktop.
  struct Step {
    Duration at;
    std::string description;          // "click \"GPT\""
    std::vector<std::string> looked;  // what a look saw (view_outline.h)
  };
  using Observer = std::function<void(const Step&)>;

  ScriptedUser(SimMenuBarExtra& menuBar, RunLoop& runLoop) : menuBar_(menuBar), runLoop_(runLoop) {}
  // Reports not yet made are dropped.
  ~ScriptedUser() { *alive_ = false; }
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // Main thread only, as the timeline runs.
  void perform(const UserStepAction& action, Duration at);
  // Something the user did elsewhere, reported in turn: picked a colour in
  // the colour panel, approved the login item in the system settings, came
  // back to Lumetta.
  void did(std::string description, Duration at);

  // Hears each step once it is done and the popover has caught up.
  void setObserver(Observer observer) { observer_ = std::move(observer); }
  // The first step that could not be done: "$.timeline[3]: click \"Quit\":
  // the popover is closed".
  const std::optional<std::string>& failure() const { return failure_; }

 private:
  // Reports the step once the main queue has run what is posted before it;
  // a look reads the popover then.
  void report(std::string description, Duration at, bool look);
  // Nothing on success, else why the step cannot be done.
  std::optional<std::string> act(const UserStep& step);

  SimMenuBarExtra& menuBar_;
  RunLoop& runLoop_;
  Observer observer_;
  std::optional<std::string> failure_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::sim
