// The simulated platform, assembled: one desktop, its clock, run loop and
// timeline, and the services over it. The composition root and the tests
// build platforms through this.
//
// Implements: the whole seam, over one desktop.
// Ignores: see each service's own file.
#pragma once

#include <memory>
#include <string_view>

#include "platform/platform.h"
#include "platform/sim/desktop/desktop_loader.h"
#include "platform/sim/desktop/sim_colors.h"
#include "platform/sim/drawing/pango_view_metrics.h"
#include "platform/sim/services/icu_text_segmentation.h"
#include "platform/sim/services/manual_run_loop.h"
#include "platform/sim/services/sim_accessibility.h"
#include "platform/sim/services/sim_application.h"
#include "platform/sim/services/sim_application_info.h"
#include "platform/sim/services/sim_clock.h"
#include "platform/sim/services/sim_color_panel.h"
#include "platform/sim/services/sim_desktop.h"
#include "platform/sim/services/sim_login_item.h"
#include "platform/sim/services/sim_menu_bar.h"
#include "platform/sim/services/sim_panels.h"
#include "platform/sim/services/sim_pasteboard.h"
#include "platform/sim/services/sim_process_activity.h"
#include "platform/sim/services/sim_user_defaults.h"
#include "platform/sim/services/sim_window_server.h"
#include "platform/sim/services/sim_workspace.h"
#include "platform/sim/user/sim_timeline.h"

namespace lumetta::sim {

// Real time and threads (the command line), or the manual clock and run loop (tests).
enum class TimeSource { real, manual };

class SimPlatform {
 public:
  // The timeline starts at once: its times count from now.
  SimPlatform(DesktopModel model, TimeSource time);
  ~SimPlatform();
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  Platform platform() {
    return {accessibility_, windowServer_, workspace_,  *clock_,          *runLoop_, panels_,
            defaults_,      colors_,       colorPanel_, applicationInfo_, text_,     loginItem_,
            pasteboard_,    application_,  menuBar_,    activities_};
  }
  SimDesktop& desktop() { return desktop_; }
  SimAccessibility& accessibility() { return accessibility_; }
  SimWindowServer& windowServer() { return windowServer_; }
  SimWorkspace& workspace() { return workspace_; }
  SimPanels& panels() { return panels_; }
  SimUserDefaults& defaults() { return defaults_; }
  SimColorPanel& colorPanel() { return colorPanel_; }
  SimLoginItem& loginItem() { return loginItem_; }
  SimPasteboard& pasteboard() { return pasteboard_; }
  SimApplication& application() { return application_; }
  SimMenuBarExtra& menuBar() { return menuBar_; }
  SimProcessActivities& activities() { return activities_; }
  ScriptedUser& user() { return user_; }
  const SimTimeline& timeline() const { return timeline_; }
  SimClock& clock() { return *clock_; }
  RunLoop& runLoop() { return *runLoop_; }
  // The manual run loop; only for a platform made with TimeSource::manual.
  ManualRunLoop& manualRunLoop();

 private:
  // Initialised from the model before desktop_ takes the rest of it.
  SimUserDefaults defaults_;
  SimApplicationInfo applicationInfo_;
  SimLoginItem loginItem_;
  SimDesktop desktop_;
  std::unique_ptr<SimClock> clock_;
  std::unique_ptr<ScheduledRunLoop> runLoop_;
  SimAccessibility accessibility_;
  SimPanels panels_;
  SimWindowServer windowServer_;
  SimWorkspace workspace_;
  SimColors colors_;
  SimColorPanel colorPanel_;
  IcuTextSegmentation text_;
  SimPasteboard pasteboard_;
  SimApplication application_;
  PangoViewMetrics viewMetrics_;
  SimMenuBarExtra menuBar_;
  SimProcessActivities activities_;
  ScriptedUser user_;
  SimTimeline timeline_;
};

// The built-in demo desktop, compiled in from docs/desktops/demo.json; its
// relative `lumetta.resources` names a folder beside that file.
std::string_view demoDesktopJson();
DesktopModel demoDesktop();

}  // namespace lumetta::sim
