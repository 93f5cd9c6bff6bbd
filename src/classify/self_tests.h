// The classification's built-in check suites, run by --self-test: each case
// prints one PASS or FAIL line; true when every case passed.
#pragma once

#include <iosfwd>

namespace lumetta {

// The mode decision over fixed evidence; each line adds the decided mode.
bool classifierSelfTest(std::ostream& out);
// The cached mode's transitions.
bool cachedModeSelfTest(std::ostream& out);

}  // namespace lumetta
