// The run loop's and the clock's contract: the main queue, delayed work and its
// cancellation, serial queues, timers, and running the loop until a time.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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

// Records the thread on which the last reference to it was released.
class DeathWitness {
 public:
  explicit DeathWitness(std::atomic<std::thread::id>& diedOn) : diedOn_(diedOn) {}
  DeathWitness(const DeathWitness&) = delete;
  DeathWitness& operator=(const DeathWitness&) = delete;
  ~DeathWitness() { diedOn_ = std::this_thread::get_id(); }

 private:
  std::atomic<std::thread::id>& diedOn_;
};

// Waits, for at most a generous while of real time, until `flag` is set.
void waitFor(const std::atomic<bool>& flag) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!flag && std::chrono::steady_clock::now() < giveUp) std::this_thread::yield();
}

// A job's captures die with the job, on the thread that ran it: the thread
// that handed it over keeps no copy, even while it is still inside the full
// expression of the call, where the call's argument lives on. The controller
// relies on it: the last reference to an observer comes back to the main
// thread inside a posted job, and an observer must be released there.
TEST_F(RunLoopContract, AJobsCapturesDieOnTheThreadThatRanIt) {
  std::atomic<std::thread::id> postedDiedOn{}, queuedDiedOn{}, queuedRanOn{};
  std::atomic<bool> handedOver{false}, ran{false}, released{false};
  std::thread poster([&] {
    auto witness = std::make_shared<DeathWitness>(postedDiedOn);
    // One full expression: post()'s argument lives until `released`.
    loop.post([witness = std::move(witness), &ran] { ran = true; }), handedOver = true,
                                                                     waitFor(released);
  });
  waitFor(handedOver);
  const bool posted = runUntil(platform, [&] { return ran.load(); });
  released = true;
  poster.join();
  ASSERT_TRUE(posted);
  EXPECT_EQ(postedDiedOn.load(), std::this_thread::get_id())
      << "a job posted to the main queue was destroyed off the main thread";

  handedOver = released = false;
  auto queue = loop.makeSerialQueue("contract.captures", QualityOfService::utility);
  std::thread submitter([&] {
    auto witness = std::make_shared<DeathWitness>(queuedDiedOn);
    // One full expression: async()'s argument lives until `released`.
    queue->async(
        [witness = std::move(witness), &queuedRanOn] { queuedRanOn = std::this_thread::get_id(); }),
        handedOver = true, waitFor(released);
  });
  waitFor(handedOver);
  queue.reset();  // waits for the job
  released = true;
  submitter.join();
  EXPECT_NE(queuedRanOn.load(), std::thread::id{});
  EXPECT_EQ(queuedDiedOn.load(), queuedRanOn.load())
      << "a queue's job was destroyed on another thread than the one that ran it";
}

TEST_F(RunLoopContract, DelayedWorkRunsWhenDueUnlessCancelled) {
  bool kept = false, cancelled = false;
  auto keep = std::make_shared<WorkItem>([&] { kept = true; });
  auto cancel = std::make_shared<WorkItem>([&] { cancelled = true; });
  loop.postAfter(Duration::milliseconds(200), keep);
  loop.postAfter(Duration::milliseconds(200), cancel);
  cancel->cancel();
  runFor(platform, Duration::milliseconds(50));
  EXPECT_FALSE(kept) << "delayed work ran before its delay";

  ASSERT_TRUE(runUntil(platform, [&] { return kept; }));
  runFor(platform, Duration::milliseconds(100));
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
  const Duration interval = Duration::milliseconds(20);
  auto timer =
      loop.repeatingTimer(interval, [&] { ++fires; }, {.tolerance = Duration::milliseconds(1)});
  auto defaultModeTimer = loop.repeatingTimer(interval, [&] { ++defaultModeFires; },
                                              {.mode = RunLoopMode::defaultMode});
  ASSERT_TRUE(runUntil(platform, [&] { return fires >= 2 && defaultModeFires >= 1; }));

  timer->park();
  const int parked = fires;
  runFor(platform, Duration::milliseconds(200));
  EXPECT_EQ(fires, parked) << "a parked timer fired";

  timer->setNextFireTime(platform.clock.uptime());
  ASSERT_TRUE(runUntil(platform, [&] { return fires > parked; })) << "the moved timer never fired";

  timer->invalidate();
  timer->setNextFireTime(platform.clock.uptime());
  defaultModeTimer.reset();
  const int stopped = fires, defaultModeStopped = defaultModeFires;
  runFor(platform, Duration::milliseconds(200));
  EXPECT_EQ(fires, stopped);
  EXPECT_EQ(defaultModeFires, defaultModeStopped);
}

TEST_F(RunLoopContract, ASingleShotTimerFiresOnceAndIsThenSpent) {
  int fires = 0;
  auto timer = loop.singleShotTimer(Duration::milliseconds(20), [&] { ++fires; });
  ASSERT_TRUE(runUntil(platform, [&] { return fires > 0; }));
  runFor(platform, Duration::milliseconds(100));
  EXPECT_EQ(fires, 1);
  timer->setNextFireTime(platform.clock.uptime());
  runFor(platform, Duration::milliseconds(100));
  EXPECT_EQ(fires, 1) << "a spent single-shot timer fired again";
}

TEST_F(RunLoopContract, SpinningStopsWhenTheConditionHoldsAndRunningWhenTheDeadlinePasses) {
  bool ran = false;
  loop.post([&] { ran = true; });
  const Uptime deadline = platform.clock.uptime() + Duration::seconds(2);
  EXPECT_TRUE(loop.spinUntil(deadline, [&] { return ran; }));
  EXPECT_LT(platform.clock.uptime(), deadline) << "spinning went on after the condition held";

  EXPECT_FALSE(
      loop.spinUntil(platform.clock.uptime() + Duration::milliseconds(50), [] { return false; }));
  bool late = false;
  loop.post([&] { late = true; });
  EXPECT_FALSE(
      loop.spinUntil(platform.clock.uptime() - Duration::milliseconds(1), [&] { return late; }));
  EXPECT_FALSE(late) << "work ran although the deadline had passed";

  const WallTime startWall = platform.clock.now();
  const Uptime end = platform.clock.uptime() + Duration::milliseconds(100);
  loop.runUntil(end);
  EXPECT_TRUE(late);
  EXPECT_GE(platform.clock.uptime(), end) << "the loop returned before its time";
  EXPECT_GT(platform.clock.now(), startWall);
}

}  // namespace
}  // namespace lumetta::contract
