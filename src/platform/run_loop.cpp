#include "platform/run_loop.h"

#include <algorithm>

namespace lumetta {

namespace {

// How often spinUntil looks at its condition.
constexpr Duration kSpinSlice = Duration::milliseconds(20);

}  // namespace

std::unique_ptr<Timer> RunLoop::repeatingTimer(Duration interval, std::function<void()> fire,
                                               TimerOptions options) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  return makeTimer({interval, true, options}, std::move(fire));
}

std::unique_ptr<Timer> RunLoop::singleShotTimer(Duration delay, std::function<void()> fire,
                                                TimerOptions options) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  return makeTimer({delay, false, options}, std::move(fire));
}

Uptime RunLoop::sliceEnd(Uptime now, Uptime deadline) {
  return std::min(now + kSpinSlice, deadline);
}

bool RunLoop::spinUntil(Uptime deadline, const std::function<bool()>& done) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  for (;;) {
    if (done && done()) return true;
    const Uptime now = clock_.uptime();
    if (!(now < deadline)) return false;
    runUntil(done ? sliceEnd(now, deadline) : deadline);
  }
}

}  // namespace lumetta
