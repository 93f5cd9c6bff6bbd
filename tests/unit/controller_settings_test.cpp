// Settings in the user defaults, the timers and queues, the power reaction,
// the observers of changes and stop, on the manual run loop.
#include <gtest/gtest.h>

#include <cmath>

#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

using Settings = ControllerTest;
using Status = ControllerTest;

// Stored numbers are brought into range on load and written back so, but not
// when set; NaN, values of another type and unreadable colours leave the
// defaults. Every setting is written back, under the keys Lumetta has always used.
TEST_F(Settings, StoredValuesAreBroughtIntoRangeOrLeftForTheDefaults) {
  const ModeAppearance codex{true, OverlayStyle::topBar, Color::systemBlue(), 0.15, 6};
  const ModeAppearance gpt{false, OverlayStyle::topBar, Color::systemGreen(), 0.15, 6};
  const auto with = [](ModeAppearance appearance, double strength, double borderWidth) {
    appearance.strength = strength;
    appearance.borderWidth = borderWidth;
    return appearance;
  };
  const struct {
    sim::DefaultsDictionary stored;
    ModeAppearance codex, gpt;
  } cases[] = {
      {{}, codex, gpt},
      {{{"indicatorStrength", 0.5},
        {"gptStrength", 0.01},
        {"gptBorderWidth", 30.0},
        {"indicatorBorderWidth", 1.0}},
       with(codex, 0.25, 2),
       with(gpt, 0.1, 16)},
      {{{"indicatorStrength", INFINITY},
        {"gptStrength", -INFINITY},
        {"indicatorBorderWidth", -INFINITY},
        {"gptBorderWidth", NAN}},
       with(codex, 0.25, 2),
       with(gpt, 0.1, 6)},
      {{{"indicatorStrength", std::string("high")},
        {"indicatorEnabled", std::string("yes")},
        {"gptBorderWidth", true},
        {"gptColor", Data{'g', 'a', 'r', 'b', 'a', 'g', 'e'}},
        {"indicatorColor", *sim::archiveColor(sim::PatternColor{"bricks"})}},
       codex,
       gpt},
  };
  for (const auto& stored : cases) {
    SCOPED_TRACE("case " + std::to_string(&stored - cases));
    controller.reset();
    desktop = controllerDesktop();
    desktop.model().defaults = stored.stored;
    start();
    EXPECT_EQ(controller->appearance(WindowMode::codex), stored.codex);
    EXPECT_EQ(controller->appearance(WindowMode::chatGPT), stored.gpt);
    EXPECT_EQ(platform->defaults().doubleValue("indicatorStrength"), stored.codex.strength);
    EXPECT_EQ(platform->defaults().doubleValue("gptBorderWidth"), stored.gpt.borderWidth);
    std::vector<std::string> keys;
    for (const auto& [key, value] : platform->defaults().values()) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"gptBorderWidth", "gptColor", "gptEnabled",
                                              "gptStrength", "gptTopBar", "indicatorBorderWidth",
                                              "indicatorColor", "indicatorEnabled",
                                              "indicatorStrength", "indicatorTopBar"}));
  }
  controller->setAppearance(WindowMode::codex, &ModeAppearance::strength, 0.9);
  EXPECT_EQ(controller->appearance(WindowMode::codex).strength, 0.9);
  EXPECT_EQ(platform->defaults().doubleValue("indicatorStrength"), 0.9);
}

TEST_F(Settings, EverySettingReadsBackInTheNextRun) {
  start();
  const std::pair<WindowMode, ModeAppearance> chosen[] = {
      {WindowMode::codex, {false, OverlayStyle::border, {1, 0.5, 0.25, 1}, 0.2, 9}},
      {WindowMode::chatGPT, {true, OverlayStyle::border, {0, 0.5, 0.5, 1}, 0.11, 3}}};
  for (const auto& [mode, appearance] : chosen) {
    controller->setAppearance(mode, &ModeAppearance::enabled, appearance.enabled);
    controller->setAppearance(mode, &ModeAppearance::style, appearance.style);
    controller->setAppearance(mode, &ModeAppearance::strength, appearance.strength);
    controller->setAppearance(mode, &ModeAppearance::borderWidth, appearance.borderWidth);
    controller->setAppearance(mode, &ModeAppearance::color, appearance.color);
  }
  controller.reset();

  controller = OverlayController::create(platform->platform());
  for (const auto& [mode, appearance] : chosen) {
    EXPECT_EQ(controller->appearance(mode), appearance) << rawValue(mode);
  }
}

// The geometry pass keeps following while a menu tracks (the common modes),
// late by a millisecond at most, its job at the user-interactive quality; the
// census and the label pass may wait meanwhile.
TEST_F(Status, EachPassHasTheTimerAndQueueItNeeds) {
  start();
  struct Expected {
    Duration interval, tolerance;
    RunLoopMode mode;
  };
  const Expected timers[] = {
      {Duration::seconds(1.0 / 60), Duration::milliseconds(1), RunLoopMode::common},
      {Duration::seconds(1), Duration::zero(), RunLoopMode::defaultMode},
      {Duration::seconds(0.5), Duration::zero(), RunLoopMode::defaultMode}};
  ASSERT_EQ(recording->timers().size(), std::size(timers));
  for (std::size_t i = 0; i < std::size(timers); ++i) {
    const RecordingRunLoop::MadeTimer& made = recording->timers()[i];
    EXPECT_TRUE(made.repeats) << i;
    EXPECT_EQ(made.interval, timers[i].interval) << i;
    EXPECT_EQ(made.options.tolerance, timers[i].tolerance) << i;
    EXPECT_EQ(made.options.mode, timers[i].mode) << i;
  }
  const std::pair<std::string, QualityOfService> queues[] = {
      {"Panescope.census", QualityOfService::utility},
      {"Panescope.semantic", QualityOfService::utility},
      {"Panescope.geometry", QualityOfService::userInteractive},
      {"Panescope.labels", QualityOfService::utility},
      {"Panescope.registrations", QualityOfService::utility}};
  ASSERT_EQ(recording->queues().size(), std::size(queues));
  for (std::size_t i = 0; i < std::size(queues); ++i) {
    EXPECT_EQ(recording->queues()[i].label, queues[i].first);
    EXPECT_EQ(recording->queues()[i].quality, queues[i].second) << queues[i].first;
  }
}

// Sleep hides every panel and the wake resumes with a census once the gate
// settles. The activity that keeps monitoring on time is held while monitoring
// runs, and only then.
TEST_F(Status, SleepHidesThePanelsAndTheActivityIsHeldOnlyWhileMonitoring) {
  desktop.at(2).power(sim::PowerAction::sleep);
  desktop.at(3).power(sim::PowerAction::wake);
  desktop.at(5).trusted(false);
  desktop.at(7).trusted(true);
  start();
  auto held = [&] { return platform->activities().held().size(); };
  EXPECT_EQ(held(), 0u) << "held before the gate settled";
  runUntil(1.5);
  EXPECT_EQ(held(), 1u);
  ASSERT_TRUE(shown(2));
  runUntil(2.9);
  EXPECT_EQ(held(), 0u) << "held while asleep";
  EXPECT_FALSE(shown(2));
  EXPECT_EQ(logged("Power: monitoring and overlays suspended"), 1);
  runUntil(3.49);  // the gate settles half a second after the wake
  EXPECT_FALSE(shown(2));
  EXPECT_EQ(logged("Power: desktop awake; resuming monitoring"), 1);
  runUntil(3.55);
  EXPECT_EQ(logged("Power: desktop awake; resuming monitoring"), 2);
  EXPECT_TRUE(shown(2));
  EXPECT_EQ(held(), 1u);
  runUntil(6.5);
  EXPECT_EQ(held(), 0u) << "held without the permission";
  runUntil(8.5);
  EXPECT_EQ(held(), 1u);
  controller->setAppearance(WindowMode::codex, &ModeAppearance::enabled, false);
  EXPECT_EQ(held(), 0u) << "held with both modes off";
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
  EXPECT_EQ(held(), 1u);
  controller->stop();
  EXPECT_EQ(held(), 0u) << "held after stop";
  EXPECT_EQ(platform->activities().begun(), 4) << "a running activity was begun again";
}

// Observers hear every change of what the controller publishes: the
// settings, the permission and the status text.
TEST_F(Status, ChangeObserversHearSettingsPermissionAndStatus) {
  desktop.trusted(false).at(2.5).trusted(true);
  start();
  runFor(1);
  int changes = 0;
  Registration registration = controller->observeChanges([&] { ++changes; });
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::strength,
                            0.2);  // also when the value is unchanged
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::strength, 0.2);
  EXPECT_EQ(changes, 2);

  runUntil(2.4);  // the same permission text again: nothing published
  EXPECT_EQ(changes, 2);
  runUntil(4);
  EXPECT_TRUE(controller->permissionReady());
  EXPECT_GE(changes, 4);  // the permission, then the status text

  registration.remove();
  const int heard = changes;
  controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::border);
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
  runFor(2);
  EXPECT_EQ(changes, heard);
}

TEST_F(Status, StopReleasesEverythingOnceAndBlocksEveryEntryPoint) {
  start();
  runFor(1.5);
  controller->stop();
  EXPECT_FALSE(controller->hasObserver(501));
  const std::string events = controller->events();
  controller->stop();
  controller->refresh();
  controller->setAppearance(WindowMode::codex, &ModeAppearance::enabled, true);
  runFor(3);
  EXPECT_EQ(controller->events(), events);
  EXPECT_TRUE(ids().empty());
}

}  // namespace
}  // namespace lumetta::testing
