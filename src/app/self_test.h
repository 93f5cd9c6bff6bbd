// --self-test: every built-in check suite, in their fixed order.
#pragma once

#include <ostream>

namespace lumetta {

// Runs every suite once, all of them even after a failure; true when all passed.
bool runSelfTests(std::ostream& out);

}  // namespace lumetta
