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

// Whether a write to `out` has failed: nothing printed to it from now on
// arrives, so a mode that only prints may as well stop.
inline bool cannotWrite(const std::ostream& out) { return out.fail(); }

}  // namespace lumetta
