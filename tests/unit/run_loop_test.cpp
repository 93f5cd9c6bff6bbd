#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sim/services/manual_run_loop.h"
#include "platform/sim/services/real_run_loop.h"
#include "support/test_time.h"

namespace lumetta::sim {
namespace {

using testing::atSecond;

struct ManualLoop : ::testing::Test {
  ManualClock clock{std::nullopt};
  ManualRunLoop loop{clock};
  std::vector<std::string> log;
  auto note(std::string text) {
    return [this, text] {
      log.push_back(text + "@" + std::to_string(clock.uptime().sinceOrigin().inSeconds()));
    };
  }
};

TEST_F(ManualLoop, RunsDueWorkAndTimersInTimeOrder) {
  auto timer = loop.repeatingTimer(Duration::seconds(1), note("tick"),
                                   {.tolerance = Duration::milliseconds(1)});
  loop.postAfter(Duration::seconds(1.5), std::make_shared<WorkItem>(note("delayed")));
  loop.post(note("now"));
  loop.runUntil(atSecond(2));
  EXPECT_EQ(log, (std::vector<std::string>{"now@0.000000", "tick@1.000000", "delayed@1.500000",
                                           "tick@2.000000"}));
  EXPECT_EQ(clock.uptime(), atSecond(2));
}

TEST_F(ManualLoop, BackgroundJobsRunOnlyWhenStepped) {
  auto queue = loop.makeSerialQueue("test", QualityOfService::utility);
  queue->async(note("a"));
  queue->async([this] {
    log.push_back("b");
    loop.post(note("reply"));
  });
  EXPECT_EQ(loop.pendingJobs(), 2u);
  EXPECT_TRUE(loop.runNextJob());
  EXPECT_EQ(log, std::vector<std::string>{"a@0.000000"});
  loop.runJobs();
  loop.runUntil(atSecond(0));
  EXPECT_EQ(log.back(), "reply@0.000000");
  queue->async(note("late"));
  queue.reset();  // a released queue still runs what it was given
  EXPECT_EQ(log.back(), "late@0.000000");
  EXPECT_FALSE(loop.runNextJob());
}

TEST_F(ManualLoop, RunningJobsOnVirtualTimeTakesThemBeforeTheClockMoves) {
  loop.setRunsJobs(true);
  auto queue = loop.makeSerialQueue("test", QualityOfService::utility);
  auto timer = loop.repeatingTimer(Duration::seconds(1), [&] {
    note("tick")();
    queue->async([&] {
      note("job")();
      clock.advance(Duration::seconds(0.25));  // the job takes a while
      loop.post(note("reply"));
    });
  });
  loop.runUntil(atSecond(2));
  // The second reply is due after the deadline, where the job's time left the clock.
  EXPECT_EQ(log, (std::vector<std::string>{"tick@1.000000", "job@1.000000", "reply@1.250000",
                                           "tick@2.000000", "job@2.000000"}));
  EXPECT_EQ(clock.uptime(), atSecond(2.25));
}

// Time moves only with what runs, so spinning looks at its condition after
// each moment something ran and stops right there, however far the deadline.
TEST_F(ManualLoop, SpinningStopsAtTheMomentTheConditionCameToHold) {
  bool done = false;
  int looks = 0;
  loop.postAfter(Duration::seconds(3600), std::make_shared<WorkItem>([&] { done = true; }));
  EXPECT_TRUE(loop.spinUntil(atSecond(72 * 3600), [&] {
    ++looks;
    return done;
  }));
  EXPECT_EQ(clock.uptime(), atSecond(3600));
  EXPECT_EQ(looks, 2);
}

TEST(ThreadedRunLoop, RunsBackgroundResultsOnTheMainThread) {
  RealClock clock{std::nullopt};
  RealRunLoop loop{clock};
  auto queue = loop.makeSerialQueue("test", QualityOfService::userInteractive);
  std::vector<int> order;  // main thread only
  std::atomic<bool> offMain{true};
  for (int i = 0; i < 20; ++i) {
    queue->async([&, i] {
      if (loop.isMainThread()) offMain = false;
      loop.post([&, i] {
        EXPECT_TRUE(loop.isMainThread());
        order.push_back(i);
      });
    });
  }
  auto cancelled = std::make_shared<WorkItem>([&] { order.push_back(-1); });
  loop.postAfter(Duration::milliseconds(10), cancelled);
  cancelled->cancel();
  int ticks = 0;
  auto timer = loop.repeatingTimer(Duration::milliseconds(5), [&] { ++ticks; });
  loop.spinUntil(clock.uptime() + Duration::seconds(10), [&] { return order.size() == 20; });
  loop.runUntil(clock.uptime() + Duration::milliseconds(50));
  EXPECT_TRUE(offMain);
  ASSERT_EQ(order.size(), 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(order[i], i);
  EXPECT_GT(ticks, 0);
}

TEST(ThreadedRunLoop, AQueueReleasedByItsOwnJobStillRunsTheJobsAfterIt) {
  RealClock clock{std::nullopt};
  RealRunLoop loop{clock};
  std::unique_ptr<SerialQueue> queue = loop.makeSerialQueue("test", QualityOfService::utility);
  std::atomic<bool> submitted{false};
  std::atomic<int> step{0};
  queue->async([&] {
    while (!submitted) std::this_thread::yield();
    queue.reset();  // the last reference, dropped by the queue's own job
    step = 1;
  });
  queue->async([&] {
    if (step == 1) step = 2;
  });
  submitted = true;
  loop.spinUntil(clock.uptime() + Duration::seconds(10), [&] { return step == 2; });
  EXPECT_EQ(step, 2);
}

}  // namespace
}  // namespace lumetta::sim
