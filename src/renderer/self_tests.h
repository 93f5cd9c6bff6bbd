// The renderer requests' built-in check suite, run by --self-test: each case
// prints one PASS or FAIL line; true when every case passed.
#pragma once

#include <iosfwd>

namespace lumetta {

bool rendererAccessibilitySelfTest(std::ostream& out);

}  // namespace lumetta
