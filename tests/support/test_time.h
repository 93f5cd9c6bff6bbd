// Points in time for tests on the manual clock, which starts at the origin.
#pragma once

#include "platform/time.h"

namespace lumetta::testing {

inline Uptime atSecond(double seconds) { return Uptime::origin() + Duration::seconds(seconds); }

}  // namespace lumetta::testing
