// A desktop that lives for hours, driven minute by minute: the ChatGPT app
// (pid 501) keeps one window and opens and closes a second one; the Codex app
// is launched and quit again and again under a few recycled pids, every third
// time relaunched under the same pid without a quit in between; the window
// that stays switches modes and moves; every hour the machine sleeps and
// wakes, the displays sleep and wake, the session is switched away and back,
// and the permission is lost and returns. Every element a run will use exists
// from the start, so the simulator itself does not grow while it runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/notification_center.h"
#include "platform/sim/sim_platform.h"
#include "support/desktop_builder.h"

namespace lumetta::testing {

inline constexpr Pid kChurnChatPid = 501;
inline constexpr int kChurnCodexPids = 4;
inline constexpr int kChurnCycleMinutes = 6;

class ChurnDesktop {
 public:
  // Room for `minutes` simulated minutes of churn.
  explicit ChurnDesktop(int minutes);
  sim::DesktopModel takeModel() { return desktop_.build(); }

  // Performs what happens at the start of simulated minute `minute`, on the
  // main thread; the caller then runs the loop through the minute.
  void minute(sim::SimPlatform& platform, int minute);

  // Target windows open now, and target processes running now.
  int openWindows() const { return 1 + (chatOpened_ ? 1 : 0) + (codexRunning_ ? 1 : 0); }
  int runningTargets() const { return codexRunning_ ? 2 : 1; }
  bool trusted() const { return trusted_; }

 private:
  struct Window {
    sim::NodeId node = sim::kNoNode;
    sim::NodeId button = sim::kNoNode;
    std::int64_t number = 0;
    ServerRect bounds;
  };
  struct Launch {
    sim::SimApp app;
    Window window;
  };

  static Window window(ElementBuilder made, std::int64_t number, ServerRect bounds);
  static void noticedFlag(ElementBuilder app);
  void setServerWindows(sim::SimDesktop& desktop);

  DesktopBuilder desktop_;
  Window stay_;
  std::vector<Window> opened_;  // one per opening
  std::vector<Launch> launches_;
  sim::NodeId chatRoot_ = sim::kNoNode;
  bool chatOpened_ = false;
  bool codexRunning_ = false;
  bool stayCodex_ = false;
  bool trusted_ = true;
  int opening_ = -1;
  int launch_ = -1;
};

// A window of `number` at `bounds` (a standard window with its toolbar, mode
// button and web area), made as `made`.
inline ChurnDesktop::Window ChurnDesktop::window(ElementBuilder made, std::int64_t number,
                                                 ServerRect bounds) {
  return {made.node(), made.model().children[1].node, number, bounds};
}

// The application answers AXEnhancedUserInterface (false) without listing
// it among its attribute names: the controller's write lists it, for each
// instance anew, as the soak benchmark's heap figures have always counted.
inline void ChurnDesktop::noticedFlag(ElementBuilder app) {
  app.model().attributes["AXEnhancedUserInterface"] = sim::SimValue{false};
}

inline ChurnDesktop::ChurnDesktop(int minutes) {
  desktop_.model().wallStart = WallTime{} + std::chrono::hours(24 * 365 * 57);
  AppBuilder chat = desktop_.app(kChurnChatPid, "ChatGPT", "com.openai.chat");
  chat.app().launched = *desktop_.model().wallStart - std::chrono::hours(1);
  noticedFlag(chat);
  chatRoot_ = chat.node();
  stay_ = window(chat.window("", "ChatGPT", {100, 100, 800, 600}, 11), 11, {100, 100, 800, 600});

  const int cycles = minutes / kChurnCycleMinutes + 1;
  for (int i = 0; i < cycles; ++i) {
    const ServerRect bounds{300, 200, 700, 500};
    opened_.push_back(window(chat.spareWindow("", "Codex", bounds, 100 + i), 100 + i, bounds));
  }
  // A relaunch without a quit needs a second instance in the same cycle.
  for (int i = 0; i < cycles * 2; ++i) {
    AppBuilder codex =
        desktop_.spareApp(2000 + (i / 2) % kChurnCodexPids, "Codex", "com.openai.codex");
    codex.app().launched = *desktop_.model().wallStart + std::chrono::minutes(i);
    noticedFlag(codex);
    const ServerRect bounds{600, 300, 640, 480};
    launches_.push_back(
        {codex.app(), window(codex.window("", "Codex", bounds, 5000 + i), 5000 + i, bounds)});
  }
  desktop_.model().windows = {serverWindow(stay_.number, kChurnChatPid, stay_.bounds)};
}

inline void ChurnDesktop::setServerWindows(sim::SimDesktop& desktop) {
  RawArray windows;
  if (codexRunning_) {
    const Launch& launch = launches_[std::size_t(launch_)];
    windows.push_back(serverWindow(launch.window.number, launch.app.pid, launch.window.bounds));
  }
  if (chatOpened_) {
    const Window& opened = opened_[std::size_t(opening_)];
    windows.push_back(serverWindow(opened.number, kChurnChatPid, opened.bounds));
  }
  windows.push_back(serverWindow(stay_.number, kChurnChatPid, stay_.bounds));
  desktop.replaceWindows(std::move(windows));
}

inline void ChurnDesktop::minute(sim::SimPlatform& platform, int minute) {
  sim::SimDesktop& desktop = platform.desktop();
  NotificationCenter& center = platform.workspace().notificationCenter();
  auto post = [&](WorkspaceNotification name, std::optional<RunningApplication> app = {}) {
    center.post({name, std::move(app)});
  };
  const int cycle = minute / kChurnCycleMinutes;
  switch (minute % kChurnCycleMinutes) {
    case 0:  // Codex launches
      launch_ = cycle * 2;
      codexRunning_ = true;
      setServerWindows(desktop);
      post(WorkspaceNotification::didLaunchApplication,
           desktop.launch(launches_[std::size_t(launch_)].app));
      break;
    case 1: {  // a second ChatGPT window opens
      opening_ = cycle;
      chatOpened_ = true;
      desktop.replaceChildren(chatRoot_,
                              {{stay_.node, {}}, {opened_[std::size_t(cycle)].node, {}}});
      setServerWindows(desktop);
      platform.accessibility().deliver(opened_[std::size_t(cycle)].node,
                                       AXNotification::windowCreated);
      break;
    }
    case 2: {  // the window that stays switches modes
      stayCodex_ = !stayCodex_;
      const std::string label =
          std::string("Switch mode, current mode: ") + (stayCodex_ ? "Codex" : "ChatGPT");
      desktop.setAttribute(stay_.button, "AXTitle", sim::SimValue{label}, std::nullopt);
      desktop.setAttribute(stay_.button, "AXDescription", sim::SimValue{label}, std::nullopt);
      platform.accessibility().deliver(stay_.button, AXNotification::titleChanged);
      break;
    }
    case 3:  // and moves
      stay_.bounds.x = 100 + (cycle % 7) * 20;
      desktop.moveWindow(stay_.number, stay_.bounds);
      platform.accessibility().deliver(stay_.node, AXNotification::moved);
      break;
    case 4: {  // the second window closes; Codex quits or is relaunched
      chatOpened_ = false;
      desktop.replaceChildren(chatRoot_, {{stay_.node, {}}});
      setServerWindows(desktop);
      platform.accessibility().deliver(opened_[std::size_t(cycle)].node,
                                       AXNotification::uiElementDestroyed);
      const Pid pid = launches_[std::size_t(launch_)].app.pid;
      if (cycle % 3 == 2) {
        desktop.terminate(pid);  // unannounced: the same pid comes back at once
        launch_ = cycle * 2 + 1;
        setServerWindows(desktop);
        post(WorkspaceNotification::didLaunchApplication,
             desktop.launch(launches_[std::size_t(launch_)].app));
      } else {
        codexRunning_ = false;
        post(WorkspaceNotification::didTerminateApplication, desktop.terminate(pid));
        setServerWindows(desktop);
      }
      break;
    }
    default: break;
  }
  if (minute % kChurnCycleMinutes == 5 && codexRunning_) {
    codexRunning_ = false;
    post(WorkspaceNotification::didTerminateApplication,
         desktop.terminate(launches_[std::size_t(launch_)].app.pid));
    setServerWindows(desktop);
  }
  switch (minute % 60) {
    case 10: post(WorkspaceNotification::willSleep); break;
    case 11: post(WorkspaceNotification::didWake); break;
    case 20:
      desktop.setDisplaysAsleep(true);
      post(WorkspaceNotification::screensDidSleep);
      break;
    case 21:
      desktop.setDisplaysAsleep(false);
      post(WorkspaceNotification::screensDidWake);
      break;
    case 30:
      desktop.setOnConsole(false);
      post(WorkspaceNotification::sessionDidResignActive);
      break;
    case 31:
      desktop.setOnConsole(true);
      post(WorkspaceNotification::sessionDidBecomeActive);
      break;
    case 40:
      trusted_ = false;
      desktop.setTrusted(false);
      break;
    case 41:
      trusted_ = true;
      desktop.setTrusted(true);
      break;
    default: break;
  }
}

}  // namespace lumetta::testing
