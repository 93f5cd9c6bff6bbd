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

// The state table, written out plainly, with its own power flags: each event
// sets or clears exactly one of them.
struct Model {
  bool systemAsleep = false;
  bool displaysAsleep = false;
  bool offConsole = false;
  Token generation = 0;
  bool active = false;
  bool stopped = false;
  std::optional<std::pair<Token, Uptime>> resume;  // generation and due time
  std::vector<bool> changes;
  bool displayAwake = true;

  bool permitsWork() const { return !systemAsleep && !displaysAsleep && !offConsole; }
  void scheduleResume(Uptime now) {
    if (permitsWork() && !stopped) resume = {{generation, now + kResumeDelay}};
  }
  void post(WorkspaceNotification name, Uptime now) {
    switch (name) {
      case WorkspaceNotification::willSleep: systemAsleep = true; break;
      case WorkspaceNotification::didWake: systemAsleep = false; break;
      case WorkspaceNotification::screensDidSleep: displaysAsleep = true; break;
      case WorkspaceNotification::screensDidWake: displaysAsleep = false; break;
      case WorkspaceNotification::sessionDidResignActive: offConsole = true; break;
      case WorkspaceNotification::sessionDidBecomeActive: offConsole = false; break;
      default: return;
    }
    afterEvent(now);
  }
  void afterEvent(Uptime now) {
    resume.reset();
    if (stopped) return;
    active = false;
    ++generation;
    changes.push_back(false);
    scheduleResume(now);
  }
  void advanceTo(Uptime now) {
    if (!resume || resume->second > now) return;
    if (!stopped && generation == resume->first && permitsWork() && displayAwake) {
      active = true;
      changes.push_back(true);
    }
    resume.reset();
  }
  std::optional<Token> beginWork(Uptime now) {
    if (displayAwake) return active && !stopped ? std::optional(generation) : std::nullopt;
    if (!displaysAsleep) {
      displaysAsleep = true;
      afterEvent(now);
    }
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

const WorkspaceNotification kEvents[] = {WorkspaceNotification::willSleep,
                                         WorkspaceNotification::didWake,
                                         WorkspaceNotification::screensDidSleep,
                                         WorkspaceNotification::screensDidWake,
                                         WorkspaceNotification::sessionDidResignActive,
                                         WorkspaceNotification::sessionDidBecomeActive};

TEST(OverlayActivityGate, AgreesWithTheStateTableOnRandomSequences) {
  std::mt19937 random(61);
  for (int run = 0; run < 1000; ++run) {
    auto platform = testing::simulated("{}");
    auto& loop = platform->manualRunLoop();
    Clock& clock = platform->clock();
    NotificationCenter center(loop);
    Model model;
    const bool onConsole = random() % 4 != 0;
    model.offConsole = !onConsole;

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
          model.post(kEvents[e], now);
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
      for (Token token : handedOut)
        ASSERT_EQ(gate->isCurrent(token), model.isCurrent(token)) << trace;
      ASSERT_EQ(changes, model.changes) << trace;
    }
  }
}

// Counts the session dictionary reads of the window server it wraps.
struct SessionCounter final : WindowServer {
  explicit SessionCounter(WindowServer& server) : server(server) {}
  std::optional<RawValue> copyWindowList() override { return server.copyWindowList(); }
  std::optional<std::vector<DisplayID>> onlineDisplays() override {
    return server.onlineDisplays();
  }
  bool displayIsAsleep(DisplayID display) override { return server.displayIsAsleep(display); }
  std::optional<RawValue> copySessionDictionary() override {
    ++reads;
    return server.copySessionDictionary();
  }
  std::int64_t windowNumberAtPoint(ScreenPoint point) override {
    return server.windowNumberAtPoint(point);
  }
  std::vector<ScreenRect> screenFrames() override { return server.screenFrames(); }
  WindowServer& server;
  int reads = 0;
};

// Told whether the session is on the console, the gate does not read it.
// Otherwise, off the console, or without a session dictionary, its console
// key, or a truth value there, the session does not count as on the console:
// the gate starts blocked until the session becomes active. (The state
// table's sequences start off the console too, and stop the gate.)
TEST(OverlayActivityGate, AMissingConsoleFlagStartsBlockedUnlessTold) {
  const std::pair<const char*, bool> sessions[] = {
      {R"({"onConsole": false})", false},  {R"(null)", false},
      {R"({"raw": {}})", false},           {R"({"raw": {"kCGSSessionOnConsoleKey": 1}})", false},
      {R"({"raw": "on console"})", false}, {R"({"raw": {"kCGSSessionOnConsoleKey": true}})", true}};
  for (auto [session, onConsole] : sessions) {
    auto platform = testing::simulated(std::string(R"({"session": )") + session + "}");
    auto& loop = platform->manualRunLoop();
    NotificationCenter& center = platform->workspace().notificationCenter();
    SessionCounter server(platform->windowServer());
    OverlayActivityGate told(
        loop, center, server, [](bool) {}, {}, true);
    EXPECT_EQ(server.reads, 0) << session;
    OverlayActivityGate gate(loop, center, server, [](bool) {});
    EXPECT_EQ(server.reads, 1) << session;
    loop.runFor(Duration::seconds(2));
    EXPECT_TRUE(told.beginWork()) << session;
    EXPECT_EQ(gate.beginWork().has_value(), onConsole) << session;
    center.post({WorkspaceNotification::sessionDidBecomeActive, {}});
    loop.runFor(Duration::seconds(0.5));
    EXPECT_TRUE(gate.beginWork()) << session;
  }
}

TEST(OverlayActivityGate, SelfTestPassesOnTheManualRunLoop) {
  auto platform = testing::simulated("{}");
  std::ostringstream out;
  EXPECT_TRUE(overlayActivitySelfTest(out, platform->runLoop(), platform->clock(),
                                      platform->windowServer()))
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
  OverlayActivityGate gate(loop, center, platform->windowServer(),
                           [&](bool active) { activations += active; });

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
