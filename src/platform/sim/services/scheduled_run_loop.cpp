#include "platform/sim/services/scheduled_run_loop.h"

#include <cmath>

namespace lumetta::sim {

struct ScheduledRunLoop::TimerState {
  Duration interval;
  bool repeats;
  std::function<void()> fire;
  // Under the loop's lock.
  bool valid = true;
  std::uint64_t generation = 0;
};

class ScheduledRunLoop::SimTimer final : public Timer {
 public:
  SimTimer(ScheduledRunLoop& loop, std::shared_ptr<TimerState> state)
      : loop_(loop), state_(std::move(state)) {}
  ~SimTimer() override { invalidate(); }

  void invalidate() override {
    LUMETTA_CHECK_MAIN_THREAD(loop_.mainThreadChecker_);
    MutexLock lock(loop_.mutex_);
    state_->valid = false;
  }

  void setNextFireTime(Uptime when) override {
    LUMETTA_CHECK_MAIN_THREAD(loop_.mainThreadChecker_);
    {
      MutexLock lock(loop_.mutex_);
      if (!state_->valid) return;
      ++state_->generation;
      if (!when.isNever()) loop_.addLocked(when, Entry{{}, state_, state_->generation});
    }
    loop_.scheduled();
  }

 private:
  ScheduledRunLoop& loop_;
  std::shared_ptr<TimerState> state_;
};

ScheduledRunLoop::ScheduledRunLoop(SimClock& clock)
    : RunLoop(clock), clock_(clock), mainThread_(std::this_thread::get_id()) {}

void ScheduledRunLoop::addLocked(Uptime due, Entry entry) {
  pending_.emplace(std::pair(due, sequence_++), std::move(entry));
}

void ScheduledRunLoop::post(std::function<void()> work) {
  {
    MutexLock lock(mutex_);
    addLocked(clock_.uptime(), Entry{std::move(work), nullptr, 0});
  }
  scheduled();
}

void ScheduledRunLoop::postAfter(Duration delay, std::shared_ptr<WorkItem> item) {
  {
    MutexLock lock(mutex_);
    addLocked(clock_.uptime() + std::max(delay, Duration::zero()),
              Entry{[item = std::move(item)] { item->perform(); }, nullptr, 0});
  }
  scheduled();
}

void ScheduledRunLoop::discardScheduled() {
  for (;;) {
    decltype(pending_) dropped;
    {
      MutexLock lock(mutex_);
      if (pending_.empty()) return;
      dropped.swap(pending_);
    }
    // Released outside the lock: what it holds may schedule more as it goes.
  }
}

std::unique_ptr<Timer> ScheduledRunLoop::makeTimer(const TimerSchedule& schedule,
                                                   std::function<void()> fire) {
  // As the system does for non-positive intervals.
  const Duration interval = std::max(schedule.interval, Duration::milliseconds(0.1));
  auto state =
      std::make_shared<TimerState>(TimerState{interval, schedule.repeats, std::move(fire)});
  {
    MutexLock lock(mutex_);
    addLocked(clock_.uptime() + interval, Entry{{}, state, 0});
  }
  scheduled();
  return std::make_unique<SimTimer>(*this, std::move(state));
}

std::optional<Uptime> ScheduledRunLoop::nextDueLocked() const {
  for (const auto& [key, entry] : pending_) {
    if (!entry.timer || (entry.timer->valid && entry.generation == entry.timer->generation)) {
      return key.first;
    }
  }
  return std::nullopt;
}

std::function<void()> ScheduledRunLoop::takeDueLocked(Uptime now) {
  while (!pending_.empty() && pending_.begin()->first.first <= now) {
    auto node = pending_.extract(pending_.begin());
    Entry& entry = node.mapped();
    if (!entry.timer) return std::move(entry.action);
    auto timer = entry.timer;
    if (!timer->valid || entry.generation != timer->generation) continue;  // stale
    if (timer->repeats) {
      // A late timer skips the firings it missed, as the system's timers do.
      const Uptime due = node.key().first;
      const double missed = std::floor((now - due) / timer->interval);
      addLocked(due + (missed + 1) * timer->interval, Entry{{}, timer, timer->generation});
    }
    return [timer, this] {
      bool valid;
      {
        MutexLock lock(mutex_);
        valid = timer->valid;
        if (!timer->repeats) timer->valid = false;  // spent once it fires
      }
      if (valid) timer->fire();
    };
  }
  return {};
}

}  // namespace lumetta::sim
