#include "platform/sim/scheduled_run_loop.h"

#include <cmath>

namespace lumetta::sim {

struct ScheduledRunLoop::TimerState {
  double interval;
  std::function<void()> fire;
  bool valid = true;
  std::uint64_t generation = 0;
};

class ScheduledRunLoop::SimTimer final : public Timer {
 public:
  SimTimer(ScheduledRunLoop& loop, std::shared_ptr<TimerState> state)
      : loop_(loop), state_(std::move(state)) {}
  ~SimTimer() override { invalidate(); }

  void invalidate() override {
    std::lock_guard lock(loop_.mutex_);
    state_->valid = false;
  }

  void setNextFireTime(double uptime) override {
    {
      std::lock_guard lock(loop_.mutex_);
      if (!state_->valid) return;
      ++state_->generation;
      if (std::isfinite(uptime)) loop_.addLocked(uptime, Entry{{}, state_, state_->generation});
    }
    loop_.scheduled();
  }

 private:
  ScheduledRunLoop& loop_;
  std::shared_ptr<TimerState> state_;
};

ScheduledRunLoop::ScheduledRunLoop(SimClock& clock)
    : clock_(clock), mainThread_(std::this_thread::get_id()) {}

void ScheduledRunLoop::addLocked(double due, Entry entry) {
  pending_.emplace(std::pair(due, sequence_++), std::move(entry));
}

void ScheduledRunLoop::post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    addLocked(clock_.uptime(), Entry{std::move(work), nullptr, 0});
  }
  scheduled();
}

void ScheduledRunLoop::postAfter(double seconds, std::shared_ptr<WorkItem> item) {
  {
    std::lock_guard lock(mutex_);
    addLocked(clock_.uptime() + std::max(seconds, 0.0),
              Entry{[item = std::move(item)] { item->perform(); }, nullptr, 0});
  }
  scheduled();
}

std::unique_ptr<Timer> ScheduledRunLoop::scheduleTimer(double interval, double /*tolerance*/,
                                                       RunLoopMode /*mode*/,
                                                       std::function<void()> fire) {
  interval = std::max(interval, 1e-4);  // as the system does for non-positive intervals
  auto state = std::make_shared<TimerState>(TimerState{interval, std::move(fire)});
  {
    std::lock_guard lock(mutex_);
    addLocked(clock_.uptime() + interval, Entry{{}, state, 0});
  }
  scheduled();
  return std::make_unique<SimTimer>(*this, std::move(state));
}

std::optional<double> ScheduledRunLoop::nextDueLocked() const {
  for (const auto& [key, entry] : pending_) {
    if (!entry.timer || (entry.timer->valid && entry.generation == entry.timer->generation)) {
      return key.first;
    }
  }
  return std::nullopt;
}

std::function<void()> ScheduledRunLoop::takeDueLocked(double now) {
  while (!pending_.empty() && pending_.begin()->first.first <= now) {
    auto node = pending_.extract(pending_.begin());
    Entry& entry = node.mapped();
    if (!entry.timer) return std::move(entry.action);
    auto timer = entry.timer;
    if (!timer->valid || entry.generation != timer->generation) continue;  // stale
    // A late timer skips the firings it missed, as the system's timers do.
    const double due = node.key().first;
    const double missed = std::floor((now - due) / timer->interval);
    addLocked(due + (missed + 1) * timer->interval, Entry{{}, timer, timer->generation});
    return [timer, this] {
      bool valid;
      {
        std::lock_guard lock(mutex_);
        valid = timer->valid;
      }
      if (valid) timer->fire();
    };
  }
  return {};
}

}  // namespace lumetta::sim
