// A run loop that hands everything to another and records what it was asked
// for: each timer's schedule and how often it fired, each serial queue's
// label and quality of service. The inner run loop runs the main loop.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/run_loop.h"

namespace lumetta::testing {

class RecordingRunLoop final : public RunLoop {
 public:
  struct MadeTimer {
    Duration interval;
    bool repeats;
    TimerOptions options;
    int firings = 0;
  };
  struct MadeQueue {
    std::string label;
    QualityOfService quality;
  };

  RecordingRunLoop(RunLoop& inner, Clock& clock) : RunLoop(clock), inner_(inner) {}

  // In the order they were made; a timer keeps its record once released.
  const std::vector<MadeTimer>& timers() const { return timers_; }
  const std::vector<MadeQueue>& queues() const { return queues_; }

  void post(std::function<void()> work) override { inner_.post(std::move(work)); }
  void postAfter(Duration delay, std::shared_ptr<WorkItem> item) override {
    inner_.postAfter(delay, std::move(item));
  }
  std::unique_ptr<SerialQueue> makeSerialQueue(std::string label,
                                               QualityOfService quality) override {
    queues_.push_back({label, quality});
    return inner_.makeSerialQueue(std::move(label), quality);
  }
  void runUntil(Uptime deadline) override { inner_.runUntil(deadline); }
  bool isMainThread() const override { return inner_.isMainThread(); }

 protected:
  std::unique_ptr<Timer> makeTimer(const TimerSchedule& schedule,
                                   std::function<void()> fire) override {
    const std::size_t index = timers_.size();
    timers_.push_back({schedule.interval, schedule.repeats, schedule.options});
    auto counted = [this, index, fire = std::move(fire)] {
      ++timers_[index].firings;
      fire();
    };
    return schedule.repeats
               ? inner_.repeatingTimer(schedule.interval, std::move(counted), schedule.options)
               : inner_.singleShotTimer(schedule.interval, std::move(counted), schedule.options);
  }

 private:
  RunLoop& inner_;
  std::vector<MadeTimer> timers_;
  std::vector<MadeQueue> queues_;
};

// The same services with another run loop.
inline Platform withRunLoop(const Platform& p, RunLoop& runLoop) {
  return {p.accessibility, p.windowServer, p.workspace,  p.clock,           runLoop, p.panels,
          p.defaults,      p.colors,       p.colorPanel, p.applicationInfo, p.text,  p.loginItem,
          p.pasteboard,    p.application,  p.menuBar,    p.activities};
}

}  // namespace lumetta::testing
