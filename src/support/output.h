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

}  // namespace lumetta
