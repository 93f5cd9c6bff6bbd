// The simulated platform, assembled: one desktop, its clock and the services
// over it. The composition root and the tests build platforms through this.
#pragma once

#include <memory>
#include <string_view>

#include "platform/platform.h"
#include "platform/sim/desktop_loader.h"
#include "platform/sim/sim_accessibility.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_window_server.h"
#include "platform/sim/sim_workspace.h"

namespace lumetta::sim {

enum class TimeSource { real, manual };

class SimPlatform {
 public:
  SimPlatform(DesktopModel model, TimeSource time);
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  Platform platform() { return {accessibility_, windowServer_, workspace_, *clock_}; }
  SimDesktop& desktop() { return desktop_; }
  SimAccessibility& accessibility() { return accessibility_; }
  SimClock& clock() { return *clock_; }
  SimWindowServer& windowServer() { return windowServer_; }

 private:
  SimDesktop desktop_;
  std::unique_ptr<SimClock> clock_;
  SimAccessibility accessibility_;
  SimWindowServer windowServer_;
  SimWorkspace workspace_;
};

// The built-in demo desktop, compiled in from docs/desktops/demo.json.
std::string_view demoDesktopJson();
DesktopModel demoDesktop();

}  // namespace lumetta::sim
