#include "classify/cached_window_mode.h"

namespace lumetta {

void CachedWindowMode::update(const ModeObservation& observation) {
  using Kind = ModeObservation::Kind;
  const std::string retained = "Retaining " + std::string(rawValue(lastKnown)) + ": ";
  switch (observation.kind) {
    case Kind::known:
      if (observation.mode == WindowMode::unknown) return;
      lastKnown = observation.mode;
      suspended = false;
      explanation = "Confirmed " + std::string(rawValue(lastKnown));
      return;
    case Kind::missing:
      explanation = suspended ? "Color layer hidden: ambiguity unresolved; label absent"
                    : lastKnown == WindowMode::unknown ? kNoConfirmedMode
                                                       : retained + "label absent";
      return;
    case Kind::incomplete:
      explanation = suspended ? "Color layer hidden: ambiguity unresolved; AX scan incomplete"
                    : lastKnown == WindowMode::unknown ? "No confirmed mode; AX scan incomplete"
                                                       : retained + "AX scan incomplete";
      return;
    case Kind::ambiguous:
      suspended = true;
      explanation = "Color layer hidden: conflicting/ambiguous mode evidence";
      return;
    case Kind::dialog:
      lastKnown = WindowMode::unknown;
      suspended = true;
      explanation = "Dialog excluded";
      return;
  }
}

}  // namespace lumetta
