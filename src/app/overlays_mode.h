// --overlays: the overlay machinery without the menu, for a time, printing
// its status text and runtime check whenever they change (at most once a
// second) and its event log at the end.
#pragma once

#include <functional>
#include <ostream>

#include "platform/platform.h"

namespace lumetta {

// Makes the application an agent first, as the menu-bar application is.
// Exit status 0. A zero or negative run time prints the event log at once; a
// write to `out` that fails, or `stopRequested` holding, ends the run after
// the slice of the main loop that runs then, and the event log is printed.
// `atEnd` runs after the last report, while the panels are still shown.
int runOverlays(const Platform& platform, std::ostream& out, Duration runTime,
                const std::function<bool()>& stopRequested, const std::function<void()>& atEnd);

}  // namespace lumetta
