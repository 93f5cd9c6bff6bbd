#include "platform/sim/real_run_loop.h"

#include <chrono>
#include <deque>

namespace lumetta::sim {

namespace {

class ThreadQueue final : public SerialQueue {
 public:
  ThreadQueue() : state_(std::make_shared<State>()) {
    worker_ = std::thread([state = state_] { work(*state); });
  }

  // Waits for the jobs already submitted, unless a job of this queue releases
  // it: a thread cannot wait for itself, so the worker carries on with the
  // jobs left (it shares their state) and ends on its own.
  ~ThreadQueue() override {
    {
      std::lock_guard lock(state_->mutex);
      state_->closing = true;
    }
    state_->ready.notify_one();
    if (std::this_thread::get_id() == worker_.get_id()) {
      worker_.detach();
    } else {
      worker_.join();
    }
  }

  void async(std::function<void()> job) override {
    {
      std::lock_guard lock(state_->mutex);
      state_->jobs.push_back(std::move(job));
    }
    state_->ready.notify_one();
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<std::function<void()>> jobs;
    bool closing = false;
  };

  static void work(State& state) {
    for (;;) {
      std::function<void()> job;
      {
        std::unique_lock lock(state.mutex);
        state.ready.wait(lock, [&] { return state.closing || !state.jobs.empty(); });
        if (state.jobs.empty()) return;
        job = std::move(state.jobs.front());
        state.jobs.pop_front();
      }
      job();
    }
  }

  std::shared_ptr<State> state_;
  std::thread worker_;
};

}  // namespace

std::unique_ptr<SerialQueue> RealRunLoop::makeSerialQueue(std::string, QualityOfService) {
  return std::make_unique<ThreadQueue>();
}

void RealRunLoop::runUntil(Uptime deadline) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
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
