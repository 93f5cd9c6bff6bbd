// The window server of the simulated desktop.
//
// Implements: the desktop's window list as given, the displays and their sleep,
// the console session (user 501), the screens, and the window at a point with
// the overlay panels that take the mouse above the windows.
// Ignores: the list's options (the file's list is what is on screen).
#pragma once

#include "platform/contract_checks.h"
#include "platform/sim/services/sim_desktop.h"
#include "platform/sim/services/sim_panels.h"
#include "platform/window_server.h"

namespace lumetta::sim {

class SimWindowServer final : public WindowServer {
 public:
  SimWindowServer(const SimDesktop& desktop, const SimPanels& panels)
      : desktop_(desktop), panels_(panels) {}

  std::optional<RawValue> copyWindowList() override;
  std::optional<std::vector<DisplayID>> onlineDisplays() override;
  bool displayIsAsleep(DisplayID display) override;
  std::optional<RawValue> copySessionDictionary() override;
  std::int64_t windowNumberAtPoint(ScreenPoint point) override;
  std::vector<ScreenRect> screenFrames() override;

 private:
  const SimDesktop& desktop_;
  const SimPanels& panels_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

// A window-server entry's number and bounds when it has both in the right types.
struct ListedWindow {
  std::int64_t number = 0;
  std::int64_t layer = 0;
  ServerRect bounds;
};
std::optional<ListedWindow> listedWindow(const RawValue& entry);

}  // namespace lumetta::sim
