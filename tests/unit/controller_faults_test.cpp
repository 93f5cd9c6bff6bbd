// Faults against the overlay controller: every documented accessibility error
// on every read and write it makes, a hung application, an application that
// dies while its jobs wait, the permission revoked while a census waits, the
// displays sleeping during a fade, each arriving at start-up, while windows
// are tracked, or while the jobs of a pass wait to run. Whatever the fault,
// the controller keeps working: once it clears, both windows have their
// entries in the right mode and their panels shown where the windows are.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "geometry/server_windows.h"
#include "geometry/window_frame.h"
#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

// When the fault begins.
enum class Phase { startUp, tracking, jobsWaiting };
constexpr Phase kPhases[] = {Phase::startUp, Phase::tracking, Phase::jobsWaiting};

constexpr AXError kCodes[] = {axerr::failure,
                              axerr::illegalArgument,
                              axerr::invalidUIElement,
                              axerr::invalidUIElementObserver,
                              axerr::cannotComplete,
                              axerr::attributeUnsupported,
                              axerr::actionUnsupported,
                              axerr::notificationUnsupported,
                              axerr::notImplemented,
                              axerr::notificationAlreadyRegistered,
                              axerr::notificationNotRegistered,
                              axerr::apiDisabled,
                              axerr::noValue,
                              axerr::parameterizedAttributeUnsupported,
                              axerr::notEnoughPrecision};

using Fault = std::function<void(sim::SimPlatform&, bool on)>;

class Faults : public ControllerTest {
 protected:
  // Runs the fault from `phase` for three seconds, clears it, and checks that
  // everything recovers; `during` runs while the fault holds.
  void inject(Phase phase, const Fault& fault, const std::function<void()>& during = {}) {
    controller.reset();  // the last run's, before its platform
    start(controllerDesktop().defaults("gptEnabled", true).build(), true);
    if (phase != Phase::startUp) step(3);
    if (phase == Phase::jobsWaiting) {
      runFor(1.0);  // a census, label passes and a geometry pass are queued
      ASSERT_GT(loop().pendingJobs(), 0u);
    }
    fault(*platform, true);
    step(3);
    if (during) during();
    fault(*platform, false);
    step(5);
    expectRecovered();
  }

  // The main loop and the jobs it queues, a tick at a time.
  void step(double seconds) {
    for (int ticks = int(seconds * 60); ticks > 0; --ticks) {
      runFor(1.0 / 60);
      loop().runJobs();
    }
  }

  void expectRecovered() {
    const std::string& summary = controller->summary();
    ASSERT_EQ(controller->entries().size(), 2u) << summary;
    struct Expected {
      WindowMode mode;
      ServerRect bounds;
    };
    const Expected expected[] = {{WindowMode::chatGPT, {100, 100, 800, 600}},
                                 {WindowMode::codex, {300, 200, 800, 600}}};
    for (std::size_t i = 0; i < 2; ++i) {
      const Entry& e = *controller->entries()[i];
      EXPECT_EQ(e.cache.effective(), expected[i].mode) << summary;
      ASSERT_TRUE(e.panel && e.panel->window().isVisible()) << summary;
      EXPECT_EQ(e.panel->window().frame(), appKitRect(expected[i].bounds, 982));
    }
  }

  static Fault attributeError(const char* element, const char* attribute, AXError code) {
    return [=](sim::SimPlatform& p, bool on) {
      const sim::NodeId node = p.desktop().nodeById(element);
      if (on) {
        p.desktop().setAttribute(node, attribute, std::nullopt, code);
      } else {
        p.desktop().clearError(node, attribute);
      }
    };
  }
};

// Each read and write the controller makes, failing with every documented code.
TEST_F(Faults, EveryErrorOnEveryReadAndWriteIsSurvived) {
  struct Read {
    const char* element;
    const char* attribute;
    std::function<std::string(AXError)> why;  // what the status text says meanwhile
  };
  auto nothing = [](AXError) { return std::string(); };
  const Read reads[] = {
      {"app", "AXWindows", [](AXError) { return "AXWindows temporarily unavailable"; }},
      {"app", "AXEnhancedUserInterface",
       [](AXError code) { return "flag=unavailable (read=" + std::to_string(code) + ")"; }},
      {"w1", "AXRole", nothing},
      {"w1", "AXChildren", nothing},
      {"b1", "AXTitle", nothing},
      {"b1", "AXDescription", nothing},
      {"w1", "AXPosition", nothing},
      {"w1", "AXSize", nothing},
      {"tb1", "AXRole", nothing}};
  for (const Read& read : reads) {
    for (AXError code : kCodes) {
      SCOPED_TRACE(std::string(read.element) + " " + read.attribute + " " + std::to_string(code));
      inject(Phase::tracking, attributeError(read.element, read.attribute, code), [&] {
        EXPECT_NE(controller->summary().find(read.why(code)), std::string::npos)
            << controller->summary();
        // No window goes for a failed read, and w2, which no fault here touches, stays marked.
        EXPECT_EQ(logged("removed"), 0) << controller->events();
        EXPECT_TRUE(shown(2));
      });
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

// Registering a notification, failing with every documented code from the
// start: each failure is logged with its code. What asking again may mend (no
// answer in time, a system failure) is asked again until it is made; any other
// answer stands and counts as registered.
TEST_F(Faults, FailedRegistrationsAreAskedAgainOnlyWhenThatCanHelp) {
  for (AXError code : kCodes) {
    SCOPED_TRACE(code);
    controller.reset();
    start(controllerDesktop().defaults("gptEnabled", true).build());
    sim::SimDesktop& desktop = platform->desktop();
    const sim::NodeId button = desktop.nodeById("b1");
    desktop.setNotificationError(button, AXNotification::titleChanged, code);
    const Subscription title{platform->accessibility().element(button),
                             AXNotification::titleChanged};
    auto registered = [&] {
      const auto* list = controller->subscriptions(501);
      return list && std::find(list->begin(), list->end(), title) != list->end();
    };
    const std::string failed = "Subscription AXTitleChanged failed: " + std::to_string(code);
    const bool askedAgain = code == axerr::cannotComplete || code == axerr::failure;

    runFor(3);
    const int failures = logged(failed);
    EXPECT_GE(failures, 1);
    EXPECT_EQ(registered(), !askedAgain);
    runFor(3);
    EXPECT_EQ(logged(failed) > failures, askedAgain);

    desktop.setNotificationError(button, AXNotification::titleChanged, std::nullopt);
    runFor(2);
    EXPECT_TRUE(registered());
    expectRecovered();
    if (!askedAgain) continue;
    // Made at last, it is heard: the switch shows before the label pass could notice.
    runFor(0.45);
    for (const char* attribute : {"AXTitle", "AXDescription"}) {
      desktop.setAttribute(button, attribute,
                           sim::SimValue{std::string("Switch mode, current mode: Codex")},
                           std::nullopt);
    }
    platform->accessibility().deliver(button, AXNotification::titleChanged);
    runFor(0.02);
    EXPECT_EQ(controller->entries()[0]->cache.effective(), WindowMode::codex);
  }
}

TEST_F(Faults, EachFaultKindInEachPhaseIsSurvived) {
  struct Kind {
    const char* name;
    Fault fault;
  };
  const Kind kinds[] = {
      {"hung application", [](sim::SimPlatform& p, bool on) { p.desktop().setHung(501, on); }},
      {"permission revoked", [](sim::SimPlatform& p, bool on) { p.desktop().setTrusted(!on); }},
      {"observer refused",
       [](sim::SimPlatform& p, bool on) {
         p.desktop().setObserverError(501,
                                      on ? std::optional(axerr::cannotComplete) : std::nullopt);
       }},
      {"displays asleep",
       [](sim::SimPlatform& p, bool on) {
         p.desktop().setDisplaysAsleep(on);
         p.workspace().notificationCenter().post(
             {on ? WorkspaceNotification::screensDidSleep : WorkspaceNotification::screensDidWake,
              std::nullopt});
       }},
      {"session away",
       [](sim::SimPlatform& p, bool on) {
         p.desktop().setOnConsole(!on);
         p.workspace().notificationCenter().post(
             {on ? WorkspaceNotification::sessionDidResignActive
                 : WorkspaceNotification::sessionDidBecomeActive,
              std::nullopt});
       }},
      {"application quits and comes back",
       [](sim::SimPlatform& p, bool on) {
         NotificationCenter& center = p.workspace().notificationCenter();
         if (on) {
           center.post(
               {WorkspaceNotification::didTerminateApplication, p.desktop().terminate(501)});
           return;
         }
         sim::DesktopModel model = controllerDesktop().build();
         p.desktop().replaceWindows(model.windows);
         center.post(
             {WorkspaceNotification::didLaunchApplication, p.desktop().launch(model.apps.front())});
       }},
      {"window list unreadable", attributeError("app", "AXWindows", axerr::cannotComplete)},
      {"mode button gone", attributeError("b1", "AXRole", axerr::invalidUIElement)},
  };
  for (const Kind& kind : kinds) {
    for (Phase phase : kPhases) {
      SCOPED_TRACE(std::string(kind.name) + " phase " + std::to_string(int(phase)));
      inject(phase, kind.fault);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

// The Codex app (pid 612) beside the fixture's ChatGPT app, its window 19 in
// front of the others.
RawValue withCodex(DesktopBuilder& desktop) {
  codexApp(desktop, "9", {900, 300, 500, 400}, 19);
  return serverWindow(19, 612, {900, 300, 500, 400});
}

TEST_F(Faults, AHungApplicationNeverStallsTheMainThreadWhileTheOtherKeepsFollowing) {
  desktop.model().windows.insert(desktop.model().windows.begin(), withCodex(desktop));
  desktop.defaults("gptEnabled", true).at(2).hang(501);
  desktop.at(40).hang(501, false);
  for (int t = 3; t < 45; ++t) desktop.at(t + 0.5).move(19, {900.0 - 10 * t, 300, 500, 400});
  start();
  runFor(2);
  loop().resetStatistics();
  for (int t = 2; t < 45; ++t) {
    runFor(1);
    ScreenRect dragged;
    for (const ServerWindow& window : visibleServerWindows(platform->windowServer())) {
      if (window.id == 19) dragged = appKitRect(window.bounds, 982);
    }
    const Entry* codex = entryOf(612);
    ASSERT_TRUE(codex && codex->panel) << "second " << t;
    // Hung requests move the manual clock: a move may have come just now.
    if (codex->panel->window().frame() != dragged) runFor(1.0 / 60);
    EXPECT_EQ(codex->panel->window().frame(), dragged) << "second " << t;
  }
  // No main-queue action waited on the hung application.
  EXPECT_EQ(loop().statistics().longestPlatformMilliseconds, 0);
  EXPECT_TRUE(shown(1) && shown(2)) << controller->summary();
}

// A hung application costs each census a few short timeouts: a Codex window
// that opens meanwhile is marked within two seconds, not after the system's
// default timeouts of six seconds each.
TEST_F(Faults, AHungApplicationDelaysTheOthersNewWindowsOnlyBriefly) {
  desktop.at(2).hang(501);
  desktop.at(5).launch(612, "Codex").window("9", "Codex", {900, 300, 500, 400}, 19);
  RawArray windows = desktop.model().windows;
  windows.insert(windows.begin(), serverWindow(19, 612, {900, 300, 500, 400}));
  desktop.at(5).windows(windows);
  start();
  runUntil(7);
  const Entry* marked = entryOf(612);
  ASSERT_NE(marked, nullptr) << controller->summary();
  EXPECT_TRUE(marked->panel && marked->panel->window().isVisible()) << controller->summary();
}

TEST_F(Faults, AStormOfNotificationsKeepsAtMostOneJobPerWindowWaiting) {
  desktop.defaults("gptEnabled", true);
  start();
  runFor(2);
  sim::SimDesktop& desktop = platform->desktop();
  const std::pair<const char*, AXNotification> sources[] = {
      {"b1", AXNotification::titleChanged},  {"a1", AXNotification::valueChanged},
      {"w1", AXNotification::layoutChanged}, {"b2", AXNotification::titleChanged},
      {"w2", AXNotification::moved},         {"app", AXNotification::windowCreated},
      {"a2", AXNotification::valueChanged},  {"w2", AXNotification::layoutChanged},
      {"w1", AXNotification::moved}};
  const RunningApplication other{300, "com.apple.finder", "Finder", {}, {}, false};
  loop().resetStatistics();
  for (int ms = 0; ms < 1000; ++ms) {
    for (int i = 0; i < 10; ++i) {
      const auto& [element, name] = sources[(ms * 10 + i) % std::size(sources)];
      platform->accessibility().deliver(desktop.nodeById(element), name);
    }
    if (ms % 10 == 0) {
      platform->workspace().notificationCenter().post(
          {WorkspaceNotification::didLaunchApplication, other});
    }
    runFor(0.001);
  }
  // One scan per window, and one census, label or geometry job, at a time.
  EXPECT_LE(loop().statistics().mostQueuedJobs, 2u);
  runFor(2);
  EXPECT_TRUE(shown(1) && shown(2));
}

}  // namespace
}  // namespace lumetta::testing
