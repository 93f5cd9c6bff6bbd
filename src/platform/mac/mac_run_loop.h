// The main run loop and dispatch queues of macOS.
//
// Implements: the main queue and delayed work (dispatch), serial queues with
// a quality of service (dispatch; released from one of their own jobs they do
// not wait), each job's captures released on the thread that ran it, timers with tolerance on the
// common or the default mode (NSTimer), and running the main loop until a deadline as the
// application's event loop: the application finishes launching on the first run, and user events
// are dispatched while it runs. Ignores: nothing of the seam. The menu-bar application runs the
// application's own loop ([NSApp run]) rather than runUntil.
#pragma once

#include "platform/clock.h"
#include "platform/run_loop.h"

namespace lumetta::mac {

class MacRunLoop final : public RunLoop {
 public:
  explicit MacRunLoop(Clock& clock) : RunLoop(clock), clock_(clock) {}

  void post(std::function<void()> work) override;
  void postAfter(Duration delay, std::shared_ptr<WorkItem> item) override;
  std::unique_ptr<SerialQueue> makeSerialQueue(std::string label,
                                               QualityOfService quality) override;
  void runUntil(Uptime deadline) override;
  bool isMainThread() const override;

 private:
  std::unique_ptr<Timer> makeTimer(const TimerSchedule& schedule,
                                   std::function<void()> fire) override;

  Clock& clock_;
  bool launched_ = false;
};

}  // namespace lumetta::mac
