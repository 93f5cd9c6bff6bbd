#include "platform/mac/mac_run_loop.h"

#import <AppKit/AppKit.h>
#include <dispatch/dispatch.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace lumetta::mac {

namespace {

// A job of one of our queues finds that queue under this key.
char kQueueKey;

// Work handed to dispatch in a box of its own, with dispatch's function
// form: the job owns the box and deletes it once it has run, so everything
// it captured dies on the thread that ran it. A block would copy the
// captures (into the block on the stack, then onto the heap) and leave the
// posting thread a copy until it returns: when the job ran first, the last
// reference, an observer's for one, died off the main thread.
void* boxed(std::function<void()> work) { return new std::function<void()>(std::move(work)); }

void runBoxed(void* box) {
  @autoreleasepool {
    const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(box));
    (*work)();
  }
}

class MacSerialQueue final : public SerialQueue {
 public:
  MacSerialQueue(const std::string& label, QualityOfService quality)
      : queue_(dispatch_queue_create(label.c_str(), attributes(quality))) {
    dispatch_queue_set_specific(queue_, &kQueueKey, (__bridge void*)queue_, nullptr);
  }
  // An empty synchronous job returns once everything before it has run. A job
  // of this queue that releases it cannot wait for itself (dispatch_sync onto
  // the current queue traps): the jobs after it still run, as dispatch keeps
  // the queue alive while it has work.
  ~MacSerialQueue() override {
    if (dispatch_get_specific(&kQueueKey) == (__bridge void*)queue_) return;
    dispatch_sync(queue_, ^{});
  }

  void async(std::function<void()> job) override {
    dispatch_async_f(queue_, boxed(std::move(job)), runBoxed);
  }

 private:
  static dispatch_queue_attr_t attributes(QualityOfService quality) {
    return dispatch_queue_attr_make_with_qos_class(DISPATCH_QUEUE_SERIAL, qosClass(quality), 0);
  }
  static dispatch_qos_class_t qosClass(QualityOfService quality) {
    switch (quality) {
      case QualityOfService::userInteractive: return QOS_CLASS_USER_INTERACTIVE;
      case QualityOfService::userInitiated: return QOS_CLASS_USER_INITIATED;
      case QualityOfService::utility: return QOS_CLASS_UTILITY;
      case QualityOfService::background: return QOS_CLASS_BACKGROUND;
    }
    return QOS_CLASS_DEFAULT;
  }

  dispatch_queue_t queue_;
};

class MacTimer final : public Timer {
 public:
  MacTimer(NSTimer* timer, Clock& clock) : timer_(timer), clock_(clock) {}
  ~MacTimer() override { invalidate(); }

  void invalidate() override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    [timer_ invalidate];
  }
  void setNextFireTime(Uptime when) override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    @autoreleasepool {
      timer_.fireDate =
          when.isNever()
              ? [NSDate distantFuture]
              : [NSDate dateWithTimeIntervalSinceNow:(when - clock_.uptime()).inSeconds()];
    }
  }

 private:
  NSTimer* timer_;
  Clock& clock_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace

void MacRunLoop::post(std::function<void()> work) {
  dispatch_async_f(dispatch_get_main_queue(), boxed(std::move(work)), runBoxed);
}

void MacRunLoop::postAfter(Duration delay, std::shared_ptr<WorkItem> item) {
  // Beyond a century the work never comes due; dispatch_time cannot hold it.
  const double seconds = delay.inSeconds();
  if (!(seconds < 3.2e9)) return;
  const auto nanoseconds = static_cast<std::int64_t>(std::max(seconds, 0.0) * NSEC_PER_SEC);
  dispatch_after_f(dispatch_time(DISPATCH_TIME_NOW, nanoseconds), dispatch_get_main_queue(),
                   boxed([item = std::move(item)] { item->perform(); }), runBoxed);
}

std::unique_ptr<SerialQueue> MacRunLoop::makeSerialQueue(std::string label,
                                                         QualityOfService quality) {
  return std::make_unique<MacSerialQueue>(label, quality);
}

std::unique_ptr<Timer> MacRunLoop::makeTimer(const TimerSchedule& schedule,
                                             std::function<void()> fire) {
  @autoreleasepool {
    NSTimer* timer = [NSTimer timerWithTimeInterval:schedule.interval.inSeconds()
                                            repeats:schedule.repeats ? YES : NO
                                              block:^(NSTimer*) {
                                                @autoreleasepool {
                                                  fire();
                                                }
                                              }];
    timer.tolerance = schedule.options.tolerance.inSeconds();
    [[NSRunLoop mainRunLoop]
        addTimer:timer
         forMode:schedule.options.mode == RunLoopMode::common ? NSRunLoopCommonModes
                                                              : NSDefaultRunLoopMode];
    return std::make_unique<MacTimer>(timer, clock_);
  }
}

void MacRunLoop::runUntil(Uptime deadline) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (!launched_) {
    // Once: connects the application to the window server's event stream, so
    // that clicks and status items work while the loop runs.
    [NSApp finishLaunching];
    launched_ = true;
  }
  // Waiting for the next user event runs the main run loop in the default
  // mode (timers, observers, the main queue) until one arrives or time is up;
  // each event is dispatched as the application's own loop would.
  for (Uptime now = clock_.uptime(); now < deadline; now = clock_.uptime()) {
    @autoreleasepool {
      NSDate* until = [NSDate dateWithTimeIntervalSinceNow:(deadline - now).inSeconds()];
      NSEvent* event = [NSApp nextEventMatchingMask:NSEventMaskAny
                                          untilDate:until
                                             inMode:NSDefaultRunLoopMode
                                            dequeue:YES];
      if (event) {
        [NSApp sendEvent:event];
        [NSApp updateWindows];
      }
    }
  }
}

bool MacRunLoop::isMainThread() const { return [NSThread isMainThread]; }

}  // namespace lumetta::mac
