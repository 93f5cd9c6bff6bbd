// The overlay controller over 45 minutes of simulated churn, every hourly
// disturbance included (the soak benchmark runs the same for 72 hours): after
// every minute what it keeps is bounded by what runs (while suspended, by
// what ran when it was suspended: nothing is looked at then), and whenever
// the desktop is awake and the permission held, every open window has its
// entry and its shown panel.
#include <gtest/gtest.h>

#include <algorithm>

#include "overlay/overlay_controller.h"
#include "support/churn_desktop.h"

namespace lumetta::testing {
namespace {

TEST(ControllerSoak, KeepsOnlyWhatRunsAndRecoversAfterEveryDisturbance) {
  constexpr int kMinutes = 45;
  ChurnDesktop churn(kMinutes);
  sim::SimPlatform platform(churn.takeModel(), sim::TimeSource::manual);
  platform.manualRunLoop().setRunsJobs(true);
  auto controller = OverlayController::create(platform.platform());
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
  controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::border);

  std::size_t windowsBefore = 0, targetsBefore = 0;
  for (int minute = 0; minute < kMinutes; ++minute) {
    const int ofHour = minute % 60;
    const bool disturbed = ofHour == 10 || ofHour == 20 || ofHour == 30 || ofHour == 40;
    churn.minute(platform, minute);
    platform.manualRunLoop().runFor(Duration::seconds(60));
    SCOPED_TRACE("minute " + std::to_string(minute));
    const auto kept = controller->bookkeeping();
    auto windows = std::size_t(churn.openWindows());
    auto targets = std::size_t(churn.runningTargets());
    if (disturbed) {
      windows = std::max(windows, windowsBefore);
      targets = std::max(targets, targetsBefore);
    }
    windowsBefore = windows;
    targetsBefore = targets;
    EXPECT_LE(kept.entries, windows);
    EXPECT_LE(kept.panels, windows);
    EXPECT_LE(kept.observers, targets);
    EXPECT_LE(kept.roots, targets);
    EXPECT_LE(kept.launchDates, targets);
    EXPECT_LE(kept.rendererStatuses, targets);
    EXPECT_LE(kept.rendererRequests, targets);
    // 6 on each application, 6 on each window and 5 on each button and web area.
    EXPECT_LE(kept.subscriptions, 6 * targets + 16 * windows);
    EXPECT_LE(kept.logCharacters, 40'000u);

    if (disturbed) continue;
    EXPECT_EQ(kept.entries, windows);
    EXPECT_EQ(kept.observers, targets);
    EXPECT_EQ(platform.panels().visiblePanels().size(), windows);
  }
}

}  // namespace
}  // namespace lumetta::testing
