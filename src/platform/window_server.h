// The window server: the on-screen window list (raw, as the server gives it),
// displays and their sleep state, the console session, the window at a point,
// and the screens' frames. The window at a point and the screens come from
// the application's windowing and are main-thread only (checked); the rest
// answers on any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/geometry.h"
#include "platform/raw_value.h"

namespace lumetta {

using DisplayID = std::uint32_t;

class WindowServer {
 public:
  virtual ~WindowServer() = default;

  // The on-screen windows, front to back, excluding desktop elements; none
  // when the server gives no list. Entries are raw: they may be malformed.
  virtual std::optional<RawValue> copyWindowList() = 0;

  // The online displays; none when the query fails.
  virtual std::optional<std::vector<DisplayID>> onlineDisplays() = 0;
  virtual bool displayIsAsleep(DisplayID display) = 0;

  // The current session's dictionary (it holds "kCGSSessionOnConsoleKey").
  virtual std::optional<RawValue> copySessionDictionary() = 0;

  // The number of the frontmost window at a point in AppKit coordinates that
  // takes mouse events; 0 when there is none. Main thread only.
  virtual std::int64_t windowNumberAtPoint(ScreenPoint point) = 0;

  // The screens' frames in AppKit coordinates, the primary screen first. Main
  // thread only. The window list's bounds, parsed by geometry/, are in the
  // window server's own coordinates (`ServerRect`).
  virtual std::vector<ScreenRect> screenFrames() = 0;
};

}  // namespace lumetta
