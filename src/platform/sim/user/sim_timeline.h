// Runs a desktop file's timeline: each event changes the desktop at its time,
// on the main thread, and the workspace and the accessibility observers hear
// what the system would tell them.
//
// Implements: every event kind of the desktop format, each at its time; events
// of the same time in file order, a user step only once the main queue has
// run what the events before it posted. Once Lumetta has terminated (the
// menu's "Quit") no event runs, at that moment or later: the process is gone.
// Ignores: how long a change takes: an event and its notifications happen at
// one instant.
#pragma once

#include <memory>
#include <vector>

#include "platform/notification_center.h"
#include "platform/run_loop.h"
#include "platform/sim/services/sim_accessibility.h"
#include "platform/sim/services/sim_application.h"
#include "platform/sim/services/sim_color_panel.h"
#include "platform/sim/services/sim_desktop.h"
#include "platform/sim/services/sim_login_item.h"
#include "platform/sim/user/scripted_user.h"

namespace lumetta::sim {

class SimTimeline {
 public:
  SimTimeline(SimDesktop& desktop, SimAccessibility& accessibility, RunLoop& runLoop,
              NotificationCenter& center, SimColorPanel& colorPanel, SimLoginItem& loginItem,
              SimApplication& application, ScriptedUser& user);
  // Events not yet run are dropped.
  ~SimTimeline();
  SimTimeline(const SimTimeline&) = delete;
  SimTimeline& operator=(const SimTimeline&) = delete;

  // Schedules every event at its time, counted from now.
  void start();
  // Whether every event has run (at once for an empty timeline).
  bool finished() const { return finished_; }

 private:
  // Applies the event of that index and those after it at the same time.
  void run(std::size_t index);
  void apply(const TimelineEvent& event);
  void announce(WorkspaceNotification name, std::optional<RunningApplication> app = std::nullopt);

  SimDesktop& desktop_;
  SimAccessibility& accessibility_;
  RunLoop& runLoop_;
  NotificationCenter& center_;
  SimColorPanel& colorPanel_;
  SimLoginItem& loginItem_;
  SimApplication& application_;
  ScriptedUser& user_;
  std::vector<std::shared_ptr<WorkItem>> scheduled_;
  bool finished_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lumetta::sim
