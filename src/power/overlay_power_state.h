// Activity gating: whether the machine, a display and the user session are
// awake, and the gate that admits background work through generation tokens.
#pragma once

namespace lumetta {

enum class OverlayPowerEvent {
  systemSleep,
  systemWake,
  displaysSleep,
  displaysWake,
  sessionLeave,
  sessionEnter
};

struct OverlayPowerState {
  bool systemSleeping = false;
  bool displaysSleeping = false;
  bool sessionInactive = false;

  bool permitsWork() const { return !systemSleeping && !displaysSleeping && !sessionInactive; }

  // An event touches only its own flag: waking the system leaves the displays asleep.
  void receive(OverlayPowerEvent event) {
    switch (event) {
      case OverlayPowerEvent::systemSleep: systemSleeping = true; break;
      case OverlayPowerEvent::systemWake: systemSleeping = false; break;
      case OverlayPowerEvent::displaysSleep: displaysSleeping = true; break;
      case OverlayPowerEvent::displaysWake: displaysSleeping = false; break;
      case OverlayPowerEvent::sessionLeave: sessionInactive = true; break;
      case OverlayPowerEvent::sessionEnter: sessionInactive = false; break;
    }
  }

  bool operator==(const OverlayPowerState&) const = default;
};

}  // namespace lumetta
