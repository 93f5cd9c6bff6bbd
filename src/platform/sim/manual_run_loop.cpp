#include "platform/sim/manual_run_loop.h"

#include <algorithm>

namespace lumetta::sim {

class ManualQueue final : public SerialQueue {
 public:
  explicit ManualQueue(ManualRunLoop& loop) : loop_(loop) {}
  // A released queue still runs what it was given, as a real one would.
  ~ManualQueue() override { loop_.runJobsOf(this); }
  void async(std::function<void()> job) override { loop_.submit(this, std::move(job)); }

 private:
  ManualRunLoop& loop_;
};

std::unique_ptr<SerialQueue> ManualRunLoop::makeSerialQueue(std::string, QualityOfService) {
  return std::make_unique<ManualQueue>(*this);
}

void ManualRunLoop::runUntil(Uptime deadline) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  for (;;) {
    std::function<void()> action;
    if (runsJobs_) {
      bool dueNow;
      {
        std::lock_guard lock(mutex_);
        auto next = nextDueLocked();
        dueNow = next && !(clock_.uptime() < *next);
      }
      if (!dueNow && runNextJob()) continue;
    }
    {
      std::lock_guard lock(mutex_);
      auto next = nextDueLocked();
      if (!next || *next > deadline) break;
      if (*next > clock_.uptime()) manualClock_.advance(*next - clock_.uptime());
      action = takeDueLocked(clock_.uptime());
    }
    if (action) action();
  }
  if (deadline > clock_.uptime()) manualClock_.advance(deadline - clock_.uptime());
}

void ManualRunLoop::submit(const void* queue, std::function<void()> job) {
  std::lock_guard lock(jobsMutex_);
  jobs_.emplace_back(queue, std::move(job));
}

std::size_t ManualRunLoop::pendingJobs() {
  std::lock_guard lock(jobsMutex_);
  return jobs_.size();
}

bool ManualRunLoop::runNextJob() {
  std::function<void()> job;
  {
    std::lock_guard lock(jobsMutex_);
    if (jobs_.empty()) return false;
    job = std::move(jobs_.front().second);
    jobs_.pop_front();
  }
  job();
  return true;
}

void ManualRunLoop::runJobs() {
  while (runNextJob()) {}
}

void ManualRunLoop::runJobsOf(const void* queue) {
  for (;;) {
    std::function<void()> job;
    {
      std::lock_guard lock(jobsMutex_);
      auto it = std::find_if(jobs_.begin(), jobs_.end(), [&](auto& j) { return j.first == queue; });
      if (it == jobs_.end()) return;
      job = std::move(it->second);
      jobs_.erase(it);
    }
    job();
  }
}

}  // namespace lumetta::sim
