// A picture of the simulated primary display: the window server's windows in
// stacking order, each with a title bar in its owner's colour, every visible
// overlay panel on top with its alpha, and, once Lumetta's status item is
// installed, the menu bar with the item and, while it is open, the popover.
// Drawn at the display's scale (pixels per point).
//
// Implements: a PNG of the primary display.
// Ignores: the other displays, and window contents (drawn as placeholders).
#pragma once

#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/sim/services/sim_desktop.h"
#include "platform/sim/services/sim_menu_bar.h"
#include "platform/sim/services/sim_panels.h"
#include "support/expected.h"

namespace lumetta::sim {

// Lumetta's menu-bar extra as the picture shows it, and the time its menu
// bar's clock reads.
struct MenuBarScene {
  SimMenuBarExtra& extra;
  WallTime now;
};

// Writes a PNG file as support/atomic_file.h replaces files: whole or not at
// all, replacing a symbolic link under `path` rather than following it; the
// error when it cannot.
Expected<void> writeScreenPicture(const SimDesktop& desktop, SimPanels& panels,
                                  const std::string& path,
                                  std::optional<MenuBarScene> menuBar = {});

// "Tue 1 Dec 09:00": the menu bar's clock, in UTC.
std::string menuBarClock(WallTime time);

}  // namespace lumetta::sim
