// What the simulated run loops share: the main queue's pending work (posted
// work, delayed work items and repeating timers), ordered by due time and
// then by submission, guarded by one lock. The run loop must outlive its
// timers and queues.
//
// Implements: the main queue, delayed work items, repeating and single-shot
// timers that can be parked and moved (a late repeating timer skips the
// firings it missed; a non-positive interval becomes 0.1 ms), as the system's do.
// Ignores: timer tolerance (timers fire exactly when due) and run-loop modes
// (common-mode and default-mode timers fire alike: nothing here tracks menus).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <thread>

#include "platform/mutex.h"
#include "platform/run_loop.h"
#include "platform/sim/services/sim_clock.h"

namespace lumetta::sim {

class ScheduledRunLoop : public RunLoop {
 public:
  void post(std::function<void()> work) override;
  // Drops the work still scheduled, so that what it holds goes now rather
  // than with the run loop.
  void discardScheduled();
  void postAfter(Duration delay, std::shared_ptr<WorkItem> item) override;
  bool isMainThread() const override { return std::this_thread::get_id() == mainThread_; }

 protected:
  // The calling thread becomes the main thread.
  explicit ScheduledRunLoop(SimClock& clock);

  std::unique_ptr<Timer> makeTimer(const TimerSchedule& schedule,
                                   std::function<void()> fire) override;
  // Under the lock: the earliest action due by `now`, or none.
  std::function<void()> takeDueLocked(Uptime now) LUMETTA_REQUIRES(mutex_);
  std::optional<Uptime> nextDueLocked() const LUMETTA_REQUIRES(mutex_);
  // Something was scheduled; a waiting loop should look again.
  virtual void scheduled() {}

  mutable Mutex mutex_;
  SimClock& clock_;

 private:
  struct TimerState;
  class SimTimer;
  struct Entry {
    std::function<void()> action;  // for posted and delayed work
    std::shared_ptr<TimerState> timer;
    std::uint64_t generation = 0;  // a timer entry is stale once the timer is rescheduled
  };

  void addLocked(Uptime due, Entry entry) LUMETTA_REQUIRES(mutex_);

  std::thread::id mainThread_;
  std::uint64_t sequence_ LUMETTA_GUARDED_BY(mutex_) = 0;
  std::map<std::pair<Uptime, std::uint64_t>, Entry> pending_ LUMETTA_GUARDED_BY(mutex_);
};

}  // namespace lumetta::sim
