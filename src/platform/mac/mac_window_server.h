// The window server over Core Graphics, and the screens as AppKit sees them.
//
// Implements: the on-screen window list without desktop elements, the online
// displays and their sleep, the session dictionary, the window at a point
// (NSWindow) and the screens (NSScreen).
// Ignores: nothing of the seam.
#pragma once

#include "platform/contract_checks.h"
#include "platform/window_server.h"

namespace lumetta::mac {

class MacWindowServer final : public WindowServer {
 public:
  std::optional<RawValue> copyWindowList() override;
  std::optional<std::vector<DisplayID>> onlineDisplays() override;
  bool displayIsAsleep(DisplayID display) override;
  std::optional<RawValue> copySessionDictionary() override;
  std::int64_t windowNumberAtPoint(ScreenPoint point) override;
  std::vector<ScreenRect> screenFrames() override;

 private:
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
