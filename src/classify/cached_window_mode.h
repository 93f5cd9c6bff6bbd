// The cached mode of one tracked window: survives gaps in the evidence (a
// closed sidebar, a failed read), is suspended by contradictory evidence and
// cleared by a dialog. Nothing of it is persisted.
#pragma once

#include <string>

#include "classify/mode_scan.h"

namespace lumetta {

inline constexpr const char* kNoConfirmedMode = "No confirmed mode yet";

struct CachedWindowMode {
  WindowMode lastKnown = WindowMode::unknown;
  bool suspended = false;
  std::string explanation = kNoConfirmedMode;

  WindowMode effective() const { return suspended ? WindowMode::unknown : lastKnown; }
  void update(const ModeObservation& observation);

  bool operator==(const CachedWindowMode&) const = default;
};

}  // namespace lumetta
