// --self-test: every built-in check suite, in their fixed order.
#pragma once

#include <iosfwd>

#include "platform/platform.h"

namespace lumetta {

// Runs every suite once, all of them even after a failure; true when all
// passed. The activity gate's suite runs on the platform's run loop.
bool runSelfTests(std::ostream& out, const Platform& platform);

}  // namespace lumetta
