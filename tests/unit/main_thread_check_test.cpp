// Main-thread-only services stop the program when called from a background
// queue, in the builds that check contracts.
#include <gtest/gtest.h>

#include "platform/contract_checks.h"
#include "platform/sim/sim_platform.h"

namespace lumetta {
namespace {

#if LUMETTA_CHECKS

struct Blank final : PanelContent {
  void draw(Canvas&, Size) override {}
};

// Calls `use` from a job of a background queue, with the platform and a panel
// made on the main thread.
void fromBackgroundQueue(const std::function<void(Platform, Panel&)>& use) {
  sim::SimPlatform sim(sim::DesktopModel{}, sim::TimeSource::real);
  Platform platform = sim.platform();
  Blank blank;
  std::unique_ptr<Panel> panel = platform.panels.makePanel(PanelConfiguration{}, blank);
  auto queue = platform.runLoop.makeSerialQueue("background", QualityOfService::utility);
  queue->async([&] { use(platform, *panel); });
  queue.reset();  // waits for the job
}

TEST(MainThreadCheckDeathTest, FiresWhenAMainThreadServiceIsUsedFromABackgroundQueue) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(fromBackgroundQueue([](Platform p, Panel&) { p.windowServer.screenFrames(); }),
               "screenFrames must run on the main thread");
  EXPECT_DEATH(fromBackgroundQueue([](Platform p, Panel&) {
                 p.runLoop.singleShotTimer(Duration::seconds(1), [] {});
               }),
               "singleShotTimer must run on the main thread");
  EXPECT_DEATH(
      fromBackgroundQueue([](Platform p, Panel&) { p.runLoop.runUntil(p.clock.uptime()); }),
      "runUntil must run on the main thread");
  EXPECT_DEATH(fromBackgroundQueue([](Platform p, Panel&) {
                 Blank blank;
                 p.panels.makePanel(PanelConfiguration{}, blank);
               }),
               "makePanel must run on the main thread");
  EXPECT_DEATH(fromBackgroundQueue([](Platform, Panel& panel) { panel.orderFrontRegardless(); }),
               "orderFrontRegardless must run on the main thread");
}

TEST(MainThreadCheck, AnyThreadServicesAnswerFromABackgroundQueue) {
  std::optional<RawValue> listed;
  fromBackgroundQueue([&](Platform p, Panel&) { listed = p.windowServer.copyWindowList(); });
  EXPECT_TRUE(listed);
}

#else

TEST(MainThreadCheck, IsCompiledOutOfThisBuild) { GTEST_SKIP() << "contracts are not checked"; }

#endif

}  // namespace
}  // namespace lumetta
