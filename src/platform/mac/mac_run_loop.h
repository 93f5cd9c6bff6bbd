// The main run loop and dispatch queues of macOS.
#pragma once

#include "platform/clock.h"
#include "platform/run_loop.h"

namespace lumetta::mac {

class MacRunLoop final : public RunLoop {
 public:
  explicit MacRunLoop(Clock& clock) : clock_(clock) {}

  void post(std::function<void()> work) override;
  void postAfter(double seconds, std::shared_ptr<WorkItem> item) override;
  std::unique_ptr<SerialQueue> makeSerialQueue(std::string label,
                                               QualityOfService quality) override;
  std::unique_ptr<Timer> scheduleTimer(double interval, double tolerance, RunLoopMode mode,
                                       std::function<void()> fire) override;
  void runUntil(double until) override;
  bool isMainThread() const override;

 private:
  Clock& clock_;
};

}  // namespace lumetta::mac
