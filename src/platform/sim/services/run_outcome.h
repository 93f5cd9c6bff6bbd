// What a run of the menu-bar application left on the simulated desktop, as
// the end of its report writes it: the pasteboard's text, the URLs opened,
// the files revealed in the file viewer, each opening of the login items'
// settings and the login item's status.
//
//   PASTEBOARD
//     | Lumetta (development build) · Version 14.5 (Build 23F79)
//     | ...
//   OPENED URL
//   x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility
//   REVEALED /Applications/Lumetta.app
//   OPENED LOGIN ITEMS SETTINGS
//   LOGIN ITEM enabled
//
// An empty pasteboard reads "PASTEBOARD empty"; nothing opened or revealed
// prints no line.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/services/sim_login_item.h"
#include "platform/sim/services/sim_pasteboard.h"
#include "platform/sim/services/sim_workspace.h"

namespace lumetta::sim {

std::vector<std::string> runOutcome(const SimPasteboard& pasteboard, const SimWorkspace& workspace,
                                    SimLoginItem& loginItem);

}  // namespace lumetta::sim
