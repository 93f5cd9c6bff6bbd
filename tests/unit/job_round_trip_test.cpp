// The job round trip: the reply clears the busy flag whenever its owner is
// still there, and applies the result only while the owner is not stopped
// and the ticket is current; a job can tell when its result is no longer
// wanted.
#include "overlay/job_round_trip.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/sim/services/manual_run_loop.h"

namespace lumetta {
namespace {

struct Owner {
  bool stopped = false;
  bool busy = false;
  std::vector<int> applied;
  bool isStopped() const { return stopped; }
  WeakHandleFactory<Owner> weak{this};
};

struct JobRoundTripTest : ::testing::Test {
  sim::ManualClock clock{std::nullopt};
  sim::ManualRunLoop loop{clock};
  std::unique_ptr<SerialQueue> queue = loop.makeSerialQueue("test", QualityOfService::utility);
  bool current = true;
  std::vector<bool> sawCurrent;

  // Starts a job that answers `value` under a ticket that follows `current`.
  void start(Owner& owner, int value) {
    owner.busy = true;
    JobTicket<Owner> ticket{[this] { return current; }, [](Owner& self) { self.busy = false; }};
    runJob(
        *queue, loop, owner.weak.handle(), std::move(ticket),
        [this, value](const JobContext<Owner>& job) {
          sawCurrent.push_back(job.current());
          return value;
        },
        [](Owner& self, int result) { self.applied.push_back(result); });
  }
  void finish() {
    loop.runJobs();
    loop.runFor(Duration::zero());
  }
};

TEST_F(JobRoundTripTest, AppliesOnlyWhileCurrentAndNotStoppedAndAlwaysReleases) {
  Owner owner;
  start(owner, 1);
  finish();
  EXPECT_EQ(owner.applied, std::vector<int>{1});
  EXPECT_FALSE(owner.busy);

  start(owner, 2);
  current = false;  // the token went stale while the job was queued
  finish();
  EXPECT_EQ(owner.applied, std::vector<int>{1});
  EXPECT_FALSE(owner.busy) << "a stale reply still clears the busy flag";
  EXPECT_EQ(sawCurrent, (std::vector<bool>{true, false}));

  current = true;
  start(owner, 3);
  loop.runJobs();
  owner.stopped = true;  // stopped after the job, before its reply
  loop.runFor(Duration::zero());
  EXPECT_EQ(owner.applied, std::vector<int>{1});
  EXPECT_FALSE(owner.busy);
}

TEST_F(JobRoundTripTest, AJobOutlivingItsOwnerReachesNothing) {
  std::optional<Owner> owner(std::in_place);
  start(*owner, 1);
  owner.reset();
  finish();
  EXPECT_EQ(sawCurrent, std::vector<bool>{false}) << "the job hears that its owner is gone";
}

}  // namespace
}  // namespace lumetta
