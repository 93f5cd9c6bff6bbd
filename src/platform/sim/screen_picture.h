// A picture of the simulated primary display: the window server's windows in
// stacking order, each with a title bar in its owner's colour, and every
// visible overlay panel on top with its alpha.
//
// Implements: a PNG of the primary display.
// Ignores: the other displays, and window contents (drawn as placeholders).
#pragma once

#include <optional>
#include <string>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_panels.h"

namespace lumetta::sim {

// Writes a PNG file; the error text when it cannot.
std::optional<std::string> writeScreenPicture(const SimDesktop& desktop, SimPanels& panels,
                                              const std::string& path);

}  // namespace lumetta::sim
