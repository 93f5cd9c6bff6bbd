// Main-thread-only services stop the program when called from a background
// queue, in the builds that check contracts.
#include <gtest/gtest.h>

#include "platform/contract_checks.h"
#include "platform/sim/sim_platform.h"

namespace lumetta {
namespace {

#if LUMETTA_CHECKS

// Calls `use` with the platform from a job of a background queue.
void fromBackgroundQueue(const std::function<void(Platform)>& use) {
  sim::SimPlatform sim(sim::DesktopModel{}, sim::TimeSource::real);
  Platform platform = sim.platform();
  auto queue = platform.runLoop.makeSerialQueue("background", QualityOfService::utility);
  queue->async([&] { use(platform); });
  queue.reset();  // waits for the job
}

TEST(MainThreadCheckDeathTest, FiresWhenAMainThreadServiceIsCalledFromABackgroundQueue) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(fromBackgroundQueue([](Platform p) { p.windowServer.screenFrames(); }),
               "screenFrames must run on the main thread");
  EXPECT_DEATH(fromBackgroundQueue(
                   [](Platform p) { p.runLoop.singleShotTimer(Duration::seconds(1), [] {}); }),
               "singleShotTimer must run on the main thread");
  EXPECT_DEATH(fromBackgroundQueue([](Platform p) { p.runLoop.runUntil(p.clock.uptime()); }),
               "runUntil must run on the main thread");
  EXPECT_DEATH(fromBackgroundQueue([](Platform p) {
                 struct Blank final : PanelContent {
                   void draw(Canvas&, Size) override {}
                 } blank;
                 p.panels.makePanel(PanelConfiguration{}, blank);
               }),
               "makePanel must run on the main thread");
}

TEST(MainThreadCheckDeathTest, FiresWhenAPanelIsUsedOffTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  struct Blank final : PanelContent {
    void draw(Canvas&, Size) override {}
  } blank;
  EXPECT_DEATH(
      {
        sim::SimPlatform sim(sim::DesktopModel{}, sim::TimeSource::real);
        Platform platform = sim.platform();
        std::unique_ptr<Panel> panel = platform.panels.makePanel(PanelConfiguration{}, blank);
        auto queue = platform.runLoop.makeSerialQueue("background", QualityOfService::utility);
        queue->async([&] { panel->orderFrontRegardless(); });
        queue.reset();
      },
      "orderFrontRegardless must run on the main thread");
}

TEST(MainThreadCheck, AnyThreadServicesAnswerFromABackgroundQueue) {
  std::optional<RawValue> listed;
  fromBackgroundQueue([&](Platform p) { listed = p.windowServer.copyWindowList(); });
  EXPECT_TRUE(listed);
}

#else

TEST(MainThreadCheck, IsCompiledOutOfThisBuild) { GTEST_SKIP() << "contracts are not checked"; }

#endif

}  // namespace
}  // namespace lumetta
