// Diagnostics: what the target applications expose through Accessibility.
// The tree capture prints, for every target window, its mode scan, its
// attributes and a bounded walk of its elements; it never reads AXValue.
#pragma once

#include <string>

#include "platform/platform.h"

namespace lumetta {

struct Capture {
  std::string text;  // lines joined by line feeds, no trailing one
};

inline constexpr Duration kCaptureWindowBudget = Duration::seconds(5);

// `depth` is the deepest level walked (the window is level 0); `limit` the
// number of elements walked per window.
Capture capture(const Platform& platform, int depth, int limit);

}  // namespace lumetta
