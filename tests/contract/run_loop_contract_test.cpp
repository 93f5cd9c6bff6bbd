// The run loop's and the clock's contract: the main queue, delayed work and its
// cancellation, serial queues, timers, and running the loop until a time.
#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <thread>

#include "contract/contract_backend.h"

namespace lumetta::contract {
namespace {

struct RunLoopContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  RunLoop& loop = platform.runLoop;
};

TEST_F(RunLoopContract, PostedWorkRunsOnTheMainThreadInOrder) {
  std::vector<std::string> ran;  // main thread only
  bool onMainThread = true;
  auto note = [&](std::string what) {
    return [&, what] {
      onMainThread = onMainThread && loop.isMainThread();
      ran.push_back(what);
    };
  };
  EXPECT_TRUE(loop.isMainThread());
  loop.post(note("first"));
  bool offMainIsMain = true;
  std::thread([&] {
    offMainIsMain = loop.isMainThread();
    loop.post(note("from another thread"));
  }).join();
  loop.post(note("last"));
  EXPECT_TRUE(ran.empty()) << "posted work runs from the loop, not inside post";

  ASSERT_TRUE(runUntil(platform, [&] { return ran.size() == 3; }));
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "from another thread", "last"}));
  EXPECT_TRUE(onMainThread);
  EXPECT_FALSE(offMainIsMain);
}

TEST_F(RunLoopContract, DelayedWorkRunsWhenDueUnlessCancelled) {
  bool kept = false, cancelled = false;
  auto keep = std::make_shared<WorkItem>([&] { kept = true; });
  auto cancel = std::make_shared<WorkItem>([&] { cancelled = true; });
  loop.postAfter(0.2, keep);
  loop.postAfter(0.2, cancel);
  cancel->cancel();
  runFor(platform, 0.05);
  EXPECT_FALSE(kept) << "delayed work ran before its delay";

  ASSERT_TRUE(runUntil(platform, [&] { return kept; }));
  runFor(platform, 0.1);
  EXPECT_FALSE(cancelled);
}

TEST_F(RunLoopContract, SerialQueuesRunJobsInOrderAndReleaseWaitsForThem) {
  std::mutex mutex;
  std::vector<int> order;
  bool replyOnMainThread = false, replied = false;
  auto queue = loop.makeSerialQueue("contract.serial", QualityOfService::utility);
  for (int i = 0; i < 20; ++i) {
    queue->async([&, i] {
      std::lock_guard lock(mutex);
      order.push_back(i);
    });
  }
  queue->async([&] {
    loop.post([&] {
      replyOnMainThread = loop.isMainThread();
      replied = true;
    });
  });
  queue.reset();
  {
    std::lock_guard lock(mutex);
    ASSERT_EQ(order.size(), 20u) << "releasing the queue did not wait for its jobs";
    for (int i = 0; i < 20; ++i) EXPECT_EQ(order[i], i);
  }
  ASSERT_TRUE(runUntil(platform, [&] { return replied; }));
  EXPECT_TRUE(replyOnMainThread);
}

TEST_F(RunLoopContract, TimersRepeatParkRefireAndStop) {
  int fires = 0, defaultModeFires = 0;
  auto timer = loop.scheduleTimer(0.02, 0.001, RunLoopMode::common, [&] { ++fires; });
  auto defaultModeTimer =
      loop.scheduleTimer(0.02, 0, RunLoopMode::defaultMode, [&] { ++defaultModeFires; });
  ASSERT_TRUE(runUntil(platform, [&] { return fires >= 2 && defaultModeFires >= 1; }));

  timer->setNextFireTime(INFINITY);
  const int parked = fires;
  runFor(platform, 0.2);
  EXPECT_EQ(fires, parked) << "a parked timer fired";

  timer->setNextFireTime(platform.clock.uptime());
  ASSERT_TRUE(runUntil(platform, [&] { return fires > parked; })) << "the moved timer never fired";

  timer->invalidate();
  timer->setNextFireTime(platform.clock.uptime());
  defaultModeTimer.reset();
  const int stopped = fires, defaultModeStopped = defaultModeFires;
  runFor(platform, 0.2);
  EXPECT_EQ(fires, stopped);
  EXPECT_EQ(defaultModeFires, defaultModeStopped);
}

TEST_F(RunLoopContract, RunningTheLoopLetsTimePass) {
  const double startUptime = platform.clock.uptime();
  const WallTime startWall = platform.clock.now();
  const double until = startUptime + 0.1;
  loop.runUntil(until);
  EXPECT_GE(platform.clock.uptime(), until) << "the loop returned before its time";
  EXPECT_GT(platform.clock.now(), startWall);
}

}  // namespace
}  // namespace lumetta::contract
