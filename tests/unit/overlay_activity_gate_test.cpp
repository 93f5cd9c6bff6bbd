// The activity gate against a reference model of its state table, over
// random sequences of events, display changes, work requests, stops and time
// steps on the manual run loop; and under real threads.
#include "power/overlay_activity_gate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <sstream>
#include <thread>

#include "power/self_tests.h"
#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using Token = OverlayActivityGate::Token;

// The state table, written out plainly.
struct Model {
  OverlayPowerState state;
  Token generation = 0;
  bool active = false;
  bool stopped = false;
  std::optional<std::pair<Token, Uptime>> resume;  // generation and due time
  std::vector<bool> changes;
  bool displayAwake = true;

  void scheduleResume(Uptime now) {
    if (state.permitsWork() && !stopped) resume = {{generation, now + kResumeDelay}};
  }
  void receive(OverlayPowerEvent event, Uptime now) {
    resume.reset();
    if (stopped) return;
    state.receive(event);
    active = false;
    ++generation;
    changes.push_back(false);
    scheduleResume(now);
  }
  void advanceTo(Uptime now) {
    if (!resume || resume->second > now) return;
    if (!stopped && generation == resume->first && state.permitsWork() && displayAwake) {
      active = true;
      changes.push_back(true);
    }
    resume.reset();
  }
  std::optional<Token> beginWork(Uptime now) {
    if (displayAwake) return active && !stopped ? std::optional(generation) : std::nullopt;
    if (!state.displaysSleeping) receive(OverlayPowerEvent::displaysSleep, now);
    return std::nullopt;
  }
  bool isCurrent(Token token) const { return active && !stopped && generation == token; }
  void stop() {
    resume.reset();
    active = false;
    stopped = true;
    ++generation;
  }
};

const WorkspaceNotification kEvents[] = {
    WorkspaceNotification::willSleep, WorkspaceNotification::didWake,
    WorkspaceNotification::screensDidSleep, WorkspaceNotification::screensDidWake,
    WorkspaceNotification::sessionDidResignActive, WorkspaceNotification::sessionDidBecomeActive};

TEST(OverlayActivityGate, AgreesWithTheStateTableOnRandomSequences) {
  std::mt19937 random(61);
  for (int run = 0; run < 1000; ++run) {
    auto platform = testing::simulated("{}");
    auto& loop = platform->manualRunLoop();
    Clock& clock = platform->clock();
    NotificationCenter center(loop);
    Model model;
    const bool onConsole = random() % 4 != 0;
    model.state = {false, false, !onConsole};

    std::unique_ptr<OverlayActivityGate> gate;
    std::vector<bool> changes;
    std::vector<Token> handedOut;
    gate = std::make_unique<OverlayActivityGate>(
        loop, center, platform->windowServer(),
        [&](bool active) {
          changes.push_back(active);
          // Re-entering the gate here would deadlock if the lock were held.
          for (Token token : handedOut) gate->isCurrent(token);
        },
        [&] { return model.displayAwake; }, onConsole);
    model.scheduleResume(clock.uptime());

    std::string trace;
    for (int step = 0; step < 40; ++step) {
      const Uptime now = clock.uptime();
      switch (random() % 6) {
        case 0: {
          int e = int(random() % 6);
          trace += " event" + std::to_string(e);
          model.receive(OverlayPowerEvent(e), now);
          center.post({kEvents[e], std::nullopt});
          break;
        }
        case 1:
          model.displayAwake = !model.displayAwake;
          trace += model.displayAwake ? " awake" : " dark";
          break;
        case 2: {
          trace += " begin";
          auto expected = model.beginWork(now);
          auto token = gate->beginWork();
          ASSERT_EQ(token, expected) << trace;
          if (token) handedOut.push_back(*token);
          break;
        }
        case 3:
          if (random() % 8 == 0) {
            trace += " stop";
            model.stop();
            gate->stop();
          }
          break;
        default: {
          const Duration dt = Duration::seconds(0.25 * double(1 + random() % 3));
          trace += " wait" + std::to_string(dt.inSeconds());
          loop.runUntil(now + dt);
          model.advanceTo(now + dt);
        }
      }
      for (Token token : handedOut) ASSERT_EQ(gate->isCurrent(token), model.isCurrent(token)) << trace;
      ASSERT_EQ(changes, model.changes) << trace;
    }
  }
}

TEST(OverlayActivityGate, StartsBlockedOffConsoleAndStaysStoppedForGood) {
  auto offConsole = testing::simulated(R"({"session": {"onConsole": false}})");
  auto& loop = offConsole->manualRunLoop();
  std::vector<bool> changes;
  OverlayActivityGate gate(loop, offConsole->workspace().notificationCenter(),
                           offConsole->windowServer(), [&](bool active) { changes.push_back(active); });
  loop.runFor(Duration::seconds(2));
  EXPECT_FALSE(gate.beginWork());
  offConsole->workspace().notificationCenter().post({WorkspaceNotification::sessionDidBecomeActive, {}});
  loop.runFor(Duration::seconds(0.5));
  auto token = gate.beginWork();
  ASSERT_TRUE(token);
  EXPECT_EQ(changes, (std::vector<bool>{false, true}));
  gate.stop();
  gate.stop();
  EXPECT_FALSE(gate.isCurrent(*token));
  EXPECT_FALSE(gate.beginWork());
  EXPECT_EQ(changes.size(), 2u);  // stop tells nobody
}

TEST(OverlayActivityGate, SelfTestPassesOnTheManualRunLoop) {
  auto platform = testing::simulated("{}");
  std::ostringstream out;
  EXPECT_TRUE(overlayActivitySelfTest(out, platform->runLoop(), platform->clock(), platform->windowServer()))
      << out.str();
  const std::string lines = out.str();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 10);
}

// Background threads ask isCurrent while the main thread posts events and runs
// the real run loop; the thread sanitizer run watches this one.
TEST(ThreadedOverlayActivityGate, TokensAreCheckedFromAnyThread) {
  auto platform = std::make_unique<sim::SimPlatform>(sim::DesktopModel{}, sim::TimeSource::real);
  RunLoop& loop = platform->runLoop();
  Clock& clock = platform->clock();
  NotificationCenter& center = platform->workspace().notificationCenter();
  std::atomic<int> activations{0};
  OverlayActivityGate gate(loop, center, platform->windowServer(), [&](bool active) { activations += active; });

  std::atomic<Token> latest{-1};
  std::atomic<bool> done{false};
  std::atomic<long> checks{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < 3; ++i) {
    workers.emplace_back([&] {
      while (!done) {
        gate.isCurrent(latest.load());
        ++checks;
      }
    });
  }
  for (int round = 0; round < 3; ++round) {
    center.post({WorkspaceNotification::screensDidSleep, {}});
    std::thread([&] { center.post({WorkspaceNotification::screensDidWake, {}}); }).join();
    std::optional<Token> token;
    loop.spinUntil(clock.uptime() + Duration::seconds(5),
                   [&] { return (token = gate.beginWork()).has_value(); });
    ASSERT_TRUE(token);
    latest = *token;
    EXPECT_TRUE(gate.isCurrent(*token));
  }
  const Token last = latest;
  center.post({WorkspaceNotification::willSleep, {}});
  EXPECT_FALSE(gate.isCurrent(last));
  done = true;
  for (auto& worker : workers) worker.join();
  EXPECT_GT(checks.load(), 0);
  EXPECT_EQ(activations.load(), 3);
}

}  // namespace
}  // namespace lumetta
