// Window geometry: the window server's on-screen windows, accessibility frames
// and their conversion to AppKit coordinates, detection of window-server ids
// claimed by more than one tracked window, and the parts of a window that the
// windows in front of it leave exposed. Every function here is stateless and
// may run on any thread.
#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <vector>

#include "platform/geometry.h"
#include "platform/window_server.h"

namespace lumetta {

// One on-screen window of the window server.
struct ServerWindow {
  std::int64_t id = 0;   // the window number
  std::int32_t pid = 0;  // the owner's process id
  ServerRect bounds;
  // The entry's position in the front-to-back list, 0 frontmost. Skipped
  // entries keep theirs, so ranks increase but may leave gaps.
  std::int64_t rank = 0;

  bool operator==(const ServerWindow&) const = default;
};

// The normal-layer windows that have a number, an owner and bounds, front to
// back. Entries lacking any of these are skipped; a list that is missing or is
// not an array of dictionaries gives no windows at all.
std::vector<ServerWindow> visibleServerWindows(WindowServer& server);

// The ids that occur more than once. Two tracked windows claiming one server
// window cannot both be right, so every claimant loses it, the first included.
std::set<std::int64_t> duplicateServerIDs(std::span<const std::int64_t> ids);

}  // namespace lumetta
