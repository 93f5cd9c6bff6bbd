// Settings in the user defaults, colour choice, the timers and queues, the
// power reaction, the status text and stop, on the manual run loop.
#include <gtest/gtest.h>

#include <cmath>

#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

using Settings = ControllerTest;
using Status = ControllerTest;

TEST_F(Settings, WithNothingStoredTheDefaultsApplyAndAreWrittenBack) {
  start();
  EXPECT_EQ(controller->appearance(WindowMode::codex),
            (ModeAppearance{true, OverlayStyle::topBar, Color::systemBlue(), 0.15, 6}));
  EXPECT_EQ(controller->appearance(WindowMode::chatGPT),
            (ModeAppearance{false, OverlayStyle::topBar, Color::systemGreen(), 0.15, 6}));
  // Under the keys Lumetta has always used.
  std::vector<std::string> keys;
  for (const auto& [key, value] : platform->defaults().values()) keys.push_back(key);
  EXPECT_EQ(keys,
            (std::vector<std::string>{"gptBorderWidth", "gptColor", "gptEnabled", "gptStrength",
                                      "gptTopBar", "indicatorBorderWidth", "indicatorColor",
                                      "indicatorEnabled", "indicatorStrength", "indicatorTopBar"}));
}

// Stored numbers are brought into range on load and written back so, but not
// when set; NaN, values of another type and unreadable colours leave the
// defaults, which are written back too.
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
    controller.reset();
    desktop = controllerDesktop();
    desktop.model().defaults = stored.stored;
    start();
    EXPECT_EQ(controller->appearance(WindowMode::codex), stored.codex);
    EXPECT_EQ(controller->appearance(WindowMode::chatGPT), stored.gpt);
    EXPECT_EQ(platform->defaults().doubleValue("indicatorStrength"), stored.codex.strength);
    EXPECT_EQ(platform->defaults().doubleValue("gptBorderWidth"), stored.gpt.borderWidth);
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

TEST_F(Status, TheSummaryHasAHeaderAndOneBlockPerWindow) {
  desktop = DesktopBuilder();
  start();
  EXPECT_EQ(controller->summary(),
            "Lumetta development \u00b7 macOS Version 14.5 (Build 23F79)\n"
            "Sleep guard: Starting sleep guard\n"
            "Codex: On \u00b7 GPT: Off\n"
            "No target windows classified yet.");
  controller.reset();
  start(controllerDesktop().build());
  runFor(1.5);
  const std::string& summary = controller->summary();
  EXPECT_TRUE(
      summary.starts_with("Lumetta development \u00b7 macOS Version 14.5 (Build 23F79)\n"
                          "Sleep guard: Awake; monitoring enabled\n"
                          "Codex: On \u00b7 GPT: Off\n"
                          "Window 1 pid=501: ChatGPT [Confirmed ChatGPT] \u00b7 Visible\n"
                          "  Renderer accessibility: automatic \u00b7 setter=0 \u00b7 "
                          "flag=true (read=0); mode labels determine success\n"
                          "  One unambiguous semantic AXPopUpButton \u00b7 nodes=4 \u00b7 "
                          "mode buttons=1\nWindow 2 pid=501: Codex"))
      << summary;
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

TEST_F(Status, SleepHidesEveryPanelAndWakeResumesWithACensus) {
  desktop.at(2).power(sim::PowerAction::sleep);
  desktop.at(3).power(sim::PowerAction::wake);
  start();
  runUntil(1.5);
  ASSERT_TRUE(shown(2));
  runUntil(2.9);
  EXPECT_FALSE(shown(2));
  EXPECT_EQ(logged("Power: monitoring and overlays suspended"), 1);
  EXPECT_NE(controller->summary().find("Sleep guard: Sleep/display/session suspension; overlays "
                                       "hidden\n"),
            std::string::npos);
  EXPECT_NE(controller->summary().find("Window 2 pid=501: Codex"), std::string::npos);
  runUntil(3.49);  // the gate settles half a second after the wake
  EXPECT_FALSE(shown(2));
  EXPECT_EQ(logged("Power: desktop awake; resuming monitoring"), 1);
  runUntil(3.55);
  EXPECT_EQ(logged("Power: desktop awake; resuming monitoring"), 2);
  EXPECT_TRUE(shown(2));
}

TEST_F(Status, AnActivityKeepsMonitoringOnTimeWhileItRunsAndOnlyThen) {
  desktop.at(2).power(sim::PowerAction::sleep);
  desktop.at(3).power(sim::PowerAction::wake);
  desktop.at(5).trusted(false);
  desktop.at(7).trusted(true);
  start();
  auto held = [&] { return platform->activities().held().size(); };
  EXPECT_EQ(held(), 0u) << "held before the gate settled";
  runUntil(1);
  EXPECT_EQ(held(), 1u);
  runUntil(2.5);
  EXPECT_EQ(held(), 0u) << "held while asleep";
  runUntil(4);
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

TEST_F(Status, StopReleasesEverythingOnceAndBlocksEveryEntryPoint) {
  start();
  runFor(1.5);
  controller->stop();
  EXPECT_TRUE(ids().empty());
  EXPECT_TRUE(platform->panels().visiblePanels().empty());
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
