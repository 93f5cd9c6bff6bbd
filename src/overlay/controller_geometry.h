// The geometry job of the controller, free of the controller: maps tracked
// windows to window-server windows and works out what of each may be drawn.
// Safe on any thread.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "overlay/overlay_controller.h"

namespace lumetta {

inline constexpr double kMatchTolerance = 2;  // points, per coordinate
inline constexpr Duration kMovementSettle = Duration::seconds(0.2);
inline constexpr Duration kFadeOut = Duration::seconds(0.07);
inline constexpr Duration kFadeIn = Duration::seconds(0.18);

inline constexpr const char* kReasonVisible = "Visible";
inline constexpr const char* kReasonPartiallyVisible = "Partially visible";
inline constexpr const char* kReasonFullyCovered = "Fully covered";
inline constexpr const char* kReasonOffscreen = "Offscreen/other Space/hidden";
inline constexpr const char* kReasonAmbiguous = "Ambiguous window-server mapping";
inline constexpr const char* kReasonNoGeometry = "Geometry unavailable";
inline constexpr const char* kReasonShared = "Shared window-server mapping; resolving again";

// One placement per item, in order. `current` is asked before each item; once
// it answers false the remaining placements fail (the caller drops them).
// Placements that end on one window-server window fail as shared.
std::vector<Placement> placeWindows(Accessibility& ax, std::span<const ServerWindow> servers,
                                    std::span<const GeometryItem> items, double primaryDisplayTop,
                                    Pid ownPid, const std::function<bool()>& current);

}  // namespace lumetta
