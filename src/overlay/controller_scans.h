// The pieces of the controller's scan and label jobs that need no controller:
// the label signature and the toolbar measurement. Safe on any thread.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "classify/window_mode.h"
#include "platform/accessibility.h"
#include "platform/clock.h"

namespace lumetta {

inline constexpr double kMinimumToolbarHeight = 24;
inline constexpr Duration kToolbarSearchBudget = Duration::seconds(0.3);
inline constexpr std::size_t kToolbarSearchLimit = 1'500;
inline constexpr double kToolbarWidthRatio = 0.4;
inline constexpr double kMinimumToolbarFrameHeight = 8;  // exclusive
inline constexpr double kMaximumToolbarBottom = 120;     // below the window's top edge
inline constexpr Duration kRetrySpacing = Duration::seconds(3);

// What the mode buttons say: "role|title|description" per button, joined by "||".
std::string labelSignature(const std::vector<ModeEvidence>& evidence);
// The same, read afresh from the buttons: three reads each, an unreadable
// attribute reading as the empty text.
std::string readLabelSignature(Accessibility& ax, const std::vector<Element>& buttons);

// The height of the window's toolbar strip: the first "AXToolbar" in
// breadth-first order that spans at least 40 % of the window's width, is more
// than 8 points high and ends at most 120 points below the window's top edge,
// measured from that edge and at least 24 points. 40 when none is found
// within 0.3 seconds and 1,500 elements, or while `current` is false.
double measureToolbar(Accessibility& ax, Clock& clock, const Element& window,
                      const std::function<bool()>& current);

}  // namespace lumetta
