// The main run loop and the queues around it: work posted to the main queue
// (at once or after a delay, cancellably), serial background queues,
// repeating and single-shot timers, and running the main loop until a time
// or until a condition holds. Posting and making queues work from any thread;
// timers and running the loop are main-thread only (checked, see
// contract_checks.h).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/contract_checks.h"

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
  // Releasing a queue waits for the jobs already submitted; released by one
  // of its own jobs, it cannot wait, and the jobs after that one still run.
  virtual ~SerialQueue() = default;
  virtual void async(std::function<void()> job) = 0;
};

// Main thread only, as the timers' run loop is the main one.
class Timer {
 public:
  virtual ~Timer() = default;  // invalidates
  virtual void invalidate() = 0;
  // Moves the next firing to `when`; Uptime::never() parks the timer. A
  // single-shot timer that has fired is spent, as if invalidated.
  virtual void setNextFireTime(Uptime when) = 0;
  void park() { setNextFireTime(Uptime::never()); }
};

struct TimerOptions {
  // How late the system may fire the timer, to save power.
  Duration tolerance = Duration::zero();
  RunLoopMode mode = RunLoopMode::common;
};

class RunLoop {
 public:
  virtual ~RunLoop() = default;

  // The main queue; callable from any thread.
  virtual void post(std::function<void()> work) = 0;
  virtual void postAfter(Duration delay, std::shared_ptr<WorkItem> item) = 0;

  virtual std::unique_ptr<SerialQueue> makeSerialQueue(std::string label,
                                                       QualityOfService quality) = 0;

  // Timers on the main run loop, made on the main thread. A repeating timer
  // fires every `interval`, first one interval from now; a single-shot timer
  // fires once, `delay` from now.
  std::unique_ptr<Timer> repeatingTimer(Duration interval, std::function<void()> fire,
                                        TimerOptions options = {});
  std::unique_ptr<Timer> singleShotTimer(Duration delay, std::function<void()> fire,
                                         TimerOptions options = {});

  // Runs the main loop until `deadline`; main thread only.
  virtual void runUntil(Uptime deadline) = 0;
  // Runs the main loop until `done` holds or `deadline` passes, looking at
  // `done` between short slices; whether `done` holds. Without a condition
  // it runs until the deadline. Nothing runs once the deadline has passed.
  // Main thread only.
  bool spinUntil(Uptime deadline, const std::function<bool()>& done = {});
  virtual bool isMainThread() const = 0;

 protected:
  explicit RunLoop(Clock& clock) : clock_(clock) {}

  // Where spinUntil's next slice ends, `now` < `deadline`: after a short
  // slice of time. A loop whose time moves only from one thing it runs to the
  // next may end the slice there, as nothing can change in between.
  virtual Uptime sliceEnd(Uptime now, Uptime deadline);

  struct TimerSchedule {
    Duration interval;  // the first firing, and the period of a repeating timer
    bool repeats = true;
    TimerOptions options;
  };
  virtual std::unique_ptr<Timer> makeTimer(const TimerSchedule& schedule,
                                           std::function<void()> fire) = 0;

  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);

 private:
  Clock& clock_;
};

}  // namespace lumetta
