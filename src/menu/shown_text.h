// What the popover lays out of a text it does not write itself (a login-item
// error from the system, the diagnostics): at most kLongestShownLine
// characters a line and kLongestShownText in all, a cut ending in an
// ellipsis. Breaking a long run of text without spaces into lines costs the
// text system time quadratic in its length (a 40,000-character error took
// 23 seconds to lay out), so each line is kept short enough to cost little.
// What is copied stays whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumetta {

inline constexpr std::size_t kLongestShownLine = 500;
inline constexpr std::size_t kLongestShownText = 20'000;

// `text` with each line (split at line feeds) cut to kLongestShownLine
// characters and the whole to kLongestShownText, counted in Unicode code
// points; where a cut is made, its last character is an ellipsis.
std::string shownText(std::string_view text);

}  // namespace lumetta
