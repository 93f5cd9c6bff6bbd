// The one way diagnostic modes print: a text, a line feed, then a flush, so
// that a log piped into another program arrives line by line.
#pragma once

#include <ostream>
#include <string_view>

namespace lumetta {

inline void printLine(std::ostream& out, std::string_view text) {
  out << text << '\n';
  out.flush();
}

// Whether everything printed to `out` has reached it: a failed write (a full
// disk, a closed pipe) leaves the stream failed for good.
inline bool delivered(std::ostream& out) { return bool(out.flush()); }

}  // namespace lumetta
