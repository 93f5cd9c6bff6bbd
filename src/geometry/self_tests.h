// The window geometry's built-in check suites, run by --self-test: each case
// prints one PASS or FAIL line; true when every case passed.
#pragma once

#include <iosfwd>

namespace lumetta {

// exposedRectangles over a 100 x 20 bar, six lines.
bool visibilitySelfTest(std::ostream& out);
// duplicateServerIDs, one line.
bool mappingSelfTest(std::ostream& out);

}  // namespace lumetta
