// The main run loop and dispatch queues of macOS.
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
};

}  // namespace lumetta::mac
