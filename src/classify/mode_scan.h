// The accessibility mode scan: one bounded breadth-first walk of a window's
// tree that collects the semantic mode buttons, web areas, sidebar toggles and
// every read failure, and decides the window's mode.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classify/window_mode.h"
#include "platform/accessibility.h"
#include "platform/clock.h"

namespace lumetta {

// What one scan says, reduced to the one thing the cached mode consumes.
struct ModeObservation {
  enum class Kind { known, missing, incomplete, ambiguous, dialog };

  Kind kind = Kind::missing;
  WindowMode mode = WindowMode::unknown;  // meaningful for `known` only

  static ModeObservation known(WindowMode mode) { return {Kind::known, mode}; }
  static ModeObservation missing() { return {Kind::missing}; }
  static ModeObservation incomplete() { return {Kind::incomplete}; }
  static ModeObservation ambiguous() { return {Kind::ambiguous}; }
  static ModeObservation dialog() { return {Kind::dialog}; }

  bool operator==(const ModeObservation&) const = default;
};

struct ModeScan {
  WindowMode mode = WindowMode::unknown;
  std::string reason;
  std::vector<ModeEvidence> evidence;  // the semantic buttons, in visiting order
  std::vector<Element> buttons;        // their elements, same order
  std::vector<Element> webAreas;
  bool complete = false;
  std::int64_t visited = 0;  // queue entries taken, duplicates included
  std::vector<std::string> sidebarLabels;
  bool excludedDialog = false;

  ModeObservation observation() const;
};

inline constexpr int kScanQueueLimit = 10'000;
inline constexpr Duration kScanBudget = Duration::seconds(8);

// Synchronous and bounded by the queue limit, the uptime budget and
// `shouldContinue`, which is asked before every queue entry; returning false
// ends the scan as a budget stop. The caller sets the messaging timeout.
ModeScan scanMode(Accessibility& ax, Clock& clock, const Element& window,
                  const std::function<bool()>& shouldContinue = {});

}  // namespace lumetta
