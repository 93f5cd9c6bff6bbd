#include "platform/sim/services/real_run_loop.h"

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
      MutexLock lock(state_->mutex);
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
      MutexLock lock(state_->mutex);
      state_->jobs.push_back(std::move(job));
    }
    state_->ready.notify_one();
  }

 private:
  struct State {
    Mutex mutex;
    std::condition_variable_any ready;
    std::deque<std::function<void()>> jobs LUMETTA_GUARDED_BY(mutex);
    bool closing LUMETTA_GUARDED_BY(mutex) = false;
  };

  static void work(State& state) {
    for (;;) {
      std::function<void()> job;
      {
        MutexLock lock(state.mutex);
        while (!state.closing && state.jobs.empty()) lock.wait(state.ready);
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
  for (;;) {
    std::function<void()> action;
    {
      MutexLock lock(mutex_);
      const Uptime now = clock_.uptime();
      action = takeDueLocked(now);
      if (!action) {
        if (!(now < deadline)) return;
        const Uptime wakeAt = std::min(nextDueLocked().value_or(deadline), deadline);
        lock.waitFor(wake_, std::chrono::duration<double>((wakeAt - now).inSeconds()));
        continue;
      }
    }
    action();
  }
}

}  // namespace lumetta::sim
