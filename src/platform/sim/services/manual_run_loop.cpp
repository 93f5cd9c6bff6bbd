#include "platform/sim/services/manual_run_loop.h"

#include <algorithm>
#include <ctime>

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
        MutexLock lock(mutex_);
        auto next = nextDueLocked();
        dueNow = next && !(clock_.uptime() < *next);
      }
      if (!dueNow && runNextJob()) continue;
    }
    {
      MutexLock lock(mutex_);
      auto next = nextDueLocked();
      if (!next || *next > deadline) break;
      if (*next > clock_.uptime()) manualClock_.advance(*next - clock_.uptime());
      action = takeDueLocked(clock_.uptime());
    }
    if (action) perform(action);
  }
  if (deadline > clock_.uptime()) manualClock_.advance(deadline - clock_.uptime());
}

Uptime ManualRunLoop::sliceEnd(Uptime now, Uptime deadline) {
  MutexLock lock(mutex_);
  const std::optional<Uptime> next = nextDueLocked();
  return next ? std::clamp(*next, now, deadline) : deadline;
}

namespace {

// The calling thread's processor time: what it ran, however busy the machine.
double threadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

}  // namespace

void ManualRunLoop::perform(const std::function<void()>& action) {
  if (!timesActions_.load(std::memory_order_relaxed)) {
    action();
    return;
  }
  const Uptime simulatedStart = clock_.uptime();
  const double realStart = threadMilliseconds();
  action();
  const double real = threadMilliseconds() - realStart;
  const double simulated = (clock_.uptime() - simulatedStart).inMilliseconds();
  MutexLock lock(jobsMutex_);
  statistics_.longestStallMilliseconds =
      std::max(statistics_.longestStallMilliseconds, real + simulated);
  statistics_.longestPlatformMilliseconds =
      std::max(statistics_.longestPlatformMilliseconds, simulated);
  statistics_.mainMilliseconds += real;
}

ManualRunLoop::Statistics ManualRunLoop::statistics() {
  MutexLock lock(jobsMutex_);
  return statistics_;
}

void ManualRunLoop::resetStatistics() {
  timesActions_.store(true, std::memory_order_relaxed);
  MutexLock lock(jobsMutex_);
  statistics_ = {};
  for (const auto& [queue, count] : queued_) {
    statistics_.mostQueuedJobs = std::max(statistics_.mostQueuedJobs, count);
  }
}

void ManualRunLoop::submit(const void* queue, std::function<void()> job) {
  MutexLock lock(jobsMutex_);
  jobs_.emplace_back(queue, std::move(job));
  statistics_.mostQueuedJobs = std::max(statistics_.mostQueuedJobs, ++queued_[queue]);
}

void ManualRunLoop::taken(const void* queue) {
  auto count = queued_.find(queue);
  if (count != queued_.end() && --count->second == 0) queued_.erase(count);
}

std::size_t ManualRunLoop::pendingJobs() {
  MutexLock lock(jobsMutex_);
  return jobs_.size();
}

bool ManualRunLoop::runNextJob() {
  std::function<void()> job;
  {
    MutexLock lock(jobsMutex_);
    if (jobs_.empty()) return false;
    job = std::move(jobs_.front().second);
    taken(jobs_.front().first);
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
      MutexLock lock(jobsMutex_);
      auto it = std::find_if(jobs_.begin(), jobs_.end(), [&](auto& j) { return j.first == queue; });
      if (it == jobs_.end()) return;
      job = std::move(it->second);
      taken(it->first);
      jobs_.erase(it);
    }
    job();
  }
}

}  // namespace lumetta::sim
