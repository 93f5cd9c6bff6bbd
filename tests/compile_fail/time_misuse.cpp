// Mixing up durations, points on the uptime clock, wall-clock time and plain
// numbers must not compile. Built once as is (which must succeed, so that the
// failures below are the misuse and nothing else) and once per MISUSE value
// (each of which must fail).
#include <memory>

#include "platform/platform.h"

namespace lumetta {

void correctUse(RunLoop& loop, Clock& clock, Timer& timer) {
  loop.postAfter(Duration::milliseconds(500), std::make_shared<WorkItem>([] {}));
  loop.runUntil(clock.uptime() + Duration::seconds(1));
  timer.setNextFireTime(clock.uptime());
  auto repeating =
      loop.repeatingTimer(Duration::seconds(1), [] {}, {.tolerance = Duration::milliseconds(10)});
#if MISUSE == 1  // a point on the clock where a delay belongs
  loop.postAfter(clock.uptime(), std::make_shared<WorkItem>([] {}));
#elif MISUSE == 2  // a delay where a deadline belongs
  loop.runUntil(Duration::seconds(1));
#elif MISUSE == 3  // a bare number of unknown unit
  timer.setNextFireTime(0.5);
#elif MISUSE == 4  // two points do not add up
  loop.runUntil(clock.uptime() + clock.uptime());
#elif MISUSE == 5  // wall-clock time is not uptime
  timer.setNextFireTime(clock.now());
#elif MISUSE == 6  // the tolerance is named, never positional
  auto tolerant = loop.repeatingTimer(Duration::seconds(1), Duration::milliseconds(10), [] {});
#endif
}

}  // namespace lumetta
