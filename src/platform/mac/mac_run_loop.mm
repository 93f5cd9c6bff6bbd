#include "platform/mac/mac_run_loop.h"

#import <Foundation/Foundation.h>
#include <dispatch/dispatch.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lumetta::mac {

namespace {

class MacSerialQueue final : public SerialQueue {
 public:
  MacSerialQueue(const std::string& label, QualityOfService quality)
      : queue_(dispatch_queue_create(label.c_str(), attributes(quality))) {}
  // An empty synchronous job returns once everything before it has run.
  ~MacSerialQueue() override { dispatch_sync(queue_, ^{}); }

  void async(std::function<void()> job) override {
    dispatch_async(queue_, ^{
      @autoreleasepool {
        job();
      }
    });
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

  void invalidate() override { [timer_ invalidate]; }
  void setNextFireTime(double uptime) override {
    @autoreleasepool {
      timer_.fireDate = std::isfinite(uptime)
                            ? [NSDate dateWithTimeIntervalSinceNow:uptime - clock_.uptime()]
                            : [NSDate distantFuture];
    }
  }

 private:
  NSTimer* timer_;
  Clock& clock_;
};

}  // namespace

void MacRunLoop::post(std::function<void()> work) {
  dispatch_async(dispatch_get_main_queue(), ^{
    @autoreleasepool {
      work();
    }
  });
}

void MacRunLoop::postAfter(double seconds, std::shared_ptr<WorkItem> item) {
  // Beyond a century the work never comes due; dispatch_time cannot hold it.
  if (!(seconds < 3.2e9)) return;
  const auto delay = static_cast<std::int64_t>(std::max(seconds, 0.0) * NSEC_PER_SEC);
  dispatch_after(dispatch_time(DISPATCH_TIME_NOW, delay), dispatch_get_main_queue(), ^{
    @autoreleasepool {
      item->perform();
    }
  });
}

std::unique_ptr<SerialQueue> MacRunLoop::makeSerialQueue(std::string label,
                                                         QualityOfService quality) {
  return std::make_unique<MacSerialQueue>(label, quality);
}

std::unique_ptr<Timer> MacRunLoop::scheduleTimer(double interval, double tolerance,
                                                 RunLoopMode mode, std::function<void()> fire) {
  @autoreleasepool {
    NSTimer* timer = [NSTimer timerWithTimeInterval:interval
                                            repeats:YES
                                              block:^(NSTimer*) {
                                                @autoreleasepool {
                                                  fire();
                                                }
                                              }];
    timer.tolerance = tolerance;
    [[NSRunLoop mainRunLoop] addTimer:timer
                              forMode:mode == RunLoopMode::common ? NSRunLoopCommonModes
                                                                  : NSDefaultRunLoopMode];
    return std::make_unique<MacTimer>(timer, clock_);
  }
}

void MacRunLoop::runUntil(double until) {
  @autoreleasepool {
    // A timer at the deadline keeps the mode from being empty, so the loop
    // sleeps instead of returning at once, and wakes it when time is up.
    NSTimer* deadline = [NSTimer timerWithTimeInterval:std::max(until - clock_.uptime(), 0.0)
                                               repeats:NO
                                                 block:^(NSTimer*){
                                                 }];
    [[NSRunLoop mainRunLoop] addTimer:deadline forMode:NSDefaultRunLoopMode];
    for (double now = clock_.uptime(); now < until; now = clock_.uptime()) {
      @autoreleasepool {
        CFRunLoopRunInMode(kCFRunLoopDefaultMode, until - now, false);
      }
    }
    [deadline invalidate];
  }
}

bool MacRunLoop::isMainThread() const { return [NSThread isMainThread]; }

}  // namespace lumetta::mac
