// The activity gate's built-in check suite, run by --self-test: each case
// prints one PASS or FAIL line; true when every case passed.
#pragma once

#include <iosfwd>

#include "platform/clock.h"
#include "platform/run_loop.h"
#include "platform/window_server.h"

namespace lumetta {

// Runs its own gates over `runLoop` with a private notification centre.
bool overlayActivitySelfTest(std::ostream& out, RunLoop& runLoop, Clock& clock,
                             WindowServer& windowServer);

}  // namespace lumetta
