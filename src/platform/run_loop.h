// The main run loop and the queues around it: work posted to the main queue
// (at once or after a delay, cancellably), serial background queues,
// repeating timers, and running the main loop until a time.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace lumetta {

enum class QualityOfService { userInteractive, userInitiated, utility, background };

// Timers on the common modes keep firing while menus track; default-mode
// timers pause then. Backends without modes treat both alike.
enum class RunLoopMode { common, defaultMode };

// Delayed work that can be cancelled until it runs.
class WorkItem {
 public:
  explicit WorkItem(std::function<void()> work) : work_(std::move(work)) {}
  void cancel() { cancelled_ = true; }
  bool isCancelled() const { return cancelled_; }
  // Runs the work unless cancelled; called by the run loop.
  void perform() {
    if (!cancelled_) work_();
  }

 private:
  std::atomic<bool> cancelled_{false};
  std::function<void()> work_;
};

class SerialQueue {
 public:
  // Releasing a queue waits for the jobs already submitted.
  virtual ~SerialQueue() = default;
  virtual void async(std::function<void()> job) = 0;
};

class Timer {
 public:
  virtual ~Timer() = default;  // invalidates
  virtual void invalidate() = 0;
  // The next firing, in seconds of uptime; infinity parks the timer.
  virtual void setNextFireTime(double uptime) = 0;
};

class RunLoop {
 public:
  virtual ~RunLoop() = default;

  // The main queue; callable from any thread.
  virtual void post(std::function<void()> work) = 0;
  virtual void postAfter(double seconds, std::shared_ptr<WorkItem> item) = 0;

  virtual std::unique_ptr<SerialQueue> makeSerialQueue(std::string label,
                                                       QualityOfService quality) = 0;
  // A repeating timer on the main run loop, first firing one interval from now.
  virtual std::unique_ptr<Timer> scheduleTimer(double interval, double tolerance,
                                               RunLoopMode mode, std::function<void()> fire) = 0;

  // Runs the main loop on the calling (main) thread until the uptime `until`.
  virtual void runUntil(double until) = 0;
  virtual bool isMainThread() const = 0;
};

}  // namespace lumetta
