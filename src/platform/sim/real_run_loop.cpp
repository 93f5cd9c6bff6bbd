#include "platform/sim/real_run_loop.h"

#include <chrono>
#include <deque>

namespace lumetta::sim {

namespace {

class ThreadQueue final : public SerialQueue {
 public:
  ThreadQueue() : worker_([this] { work(); }) {}

  ~ThreadQueue() override {
    {
      std::lock_guard lock(mutex_);
      closing_ = true;
    }
    ready_.notify_one();
    worker_.join();  // after the jobs already submitted
  }

  void async(std::function<void()> job) override {
    {
      std::lock_guard lock(mutex_);
      jobs_.push_back(std::move(job));
    }
    ready_.notify_one();
  }

 private:
  void work() {
    for (;;) {
      std::function<void()> job;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      job();
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> jobs_;
  bool closing_ = false;
  std::thread worker_;  // last: starts once the rest exists
};

}  // namespace

std::unique_ptr<SerialQueue> RealRunLoop::makeSerialQueue(std::string, QualityOfService) {
  return std::make_unique<ThreadQueue>();
}

void RealRunLoop::runUntil(Uptime deadline) {
  std::unique_lock lock(mutex_);
  for (;;) {
    const Uptime now = clock_.uptime();
    if (auto action = takeDueLocked(now)) {
      lock.unlock();
      action();
      lock.lock();
      continue;
    }
    if (!(now < deadline)) return;
    const Uptime wakeAt = std::min(nextDueLocked().value_or(deadline), deadline);
    wake_.wait_for(lock, std::chrono::duration<double>((wakeAt - now).inSeconds()));
  }
}

}  // namespace lumetta::sim
