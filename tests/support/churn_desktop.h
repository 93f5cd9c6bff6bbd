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

namespace lumetta::testing {

inline constexpr Pid kChurnChatPid = 501;
inline constexpr int kChurnCodexPids = 4;
inline constexpr int kChurnCycleMinutes = 6;

class ChurnDesktop {
 public:
  // Room for `minutes` simulated minutes of churn.
  explicit ChurnDesktop(int minutes);
  sim::DesktopModel takeModel() { return std::move(model_); }

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

  sim::NodeId node(sim::Owner owner, const char* role);
  Window window(sim::Owner owner, std::int64_t number, ServerRect bounds, const char* mode);
  void setServerWindows(sim::SimDesktop& desktop);
  static RawValue serverWindow(Pid pid, const Window& window);

  sim::DesktopModel model_;
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

inline sim::NodeId ChurnDesktop::node(sim::Owner owner, const char* role) {
  const auto id = sim::NodeId(model_.nodes.size());
  model_.nodes.emplace_back();
  sim::SimNode& made = model_.nodes.back();
  made.owner = owner;
  made.attributes["AXRole"] = sim::SimValue{std::string(role)};
  made.addName("AXRole");
  return id;
}

inline ChurnDesktop::Window ChurnDesktop::window(sim::Owner owner, std::int64_t number,
                                                 ServerRect bounds, const char* mode) {
  auto frame = [&](sim::NodeId id, ServerRect rect) {
    model_.nodes[id].attributes["AXPosition"] = sim::SimValue{Point{rect.x, rect.y}};
    model_.nodes[id].attributes["AXSize"] = sim::SimValue{Size{rect.width, rect.height}};
    model_.nodes[id].addName("AXPosition");
    model_.nodes[id].addName("AXSize");
  };
  Window made{node(owner, "AXWindow"), sim::kNoNode, number, bounds};
  model_.nodes[made.node].attributes["AXSubrole"] = sim::SimValue{std::string("AXStandardWindow")};
  model_.nodes[made.node].addName("AXSubrole");
  model_.nodes[made.node].windowNumber = number;
  frame(made.node, bounds);
  const sim::NodeId toolbar = node(owner, "AXToolbar");
  frame(toolbar, {bounds.x, bounds.y, bounds.width, 52});
  made.button = node(owner, "AXPopUpButton");
  const std::string label = std::string("Switch mode, current mode: ") + mode;
  for (const char* attribute : {"AXTitle", "AXDescription"}) {
    model_.nodes[made.button].attributes[attribute] = sim::SimValue{label};
    model_.nodes[made.button].addName(attribute);
  }
  const sim::NodeId area = node(owner, "AXWebArea");
  model_.nodes[made.node].hasChildren = true;
  for (sim::NodeId child : {toolbar, made.button, area}) {
    model_.nodes[made.node].children.push_back({child, {}});
  }
  return made;
}

inline ChurnDesktop::ChurnDesktop(int minutes) {
  model_.wallStart = WallTime{} + std::chrono::hours(24 * 365 * 57);
  chatRoot_ = node({kChurnChatPid, 0}, "AXApplication");
  model_.nodes[chatRoot_].isApplication = true;
  model_.nodes[chatRoot_].attributes["AXEnhancedUserInterface"] = sim::SimValue{false};
  stay_ = window({kChurnChatPid, 0}, 11, {100, 100, 800, 600}, "ChatGPT");
  model_.nodes[chatRoot_].hasChildren = true;
  model_.nodes[chatRoot_].children.push_back({stay_.node, {}});
  sim::SimApp chat;
  chat.pid = kChurnChatPid;
  chat.name = "ChatGPT";
  chat.bundle = "com.openai.chat";
  chat.launched = *model_.wallStart - std::chrono::hours(1);
  chat.root = chatRoot_;
  model_.apps.push_back(chat);

  const int cycles = minutes / kChurnCycleMinutes + 1;
  for (int i = 0; i < cycles; ++i) {
    opened_.push_back(window({kChurnChatPid, 0}, 100 + i, {300, 200, 700, 500}, "Codex"));
  }
  // A relaunch without a quit needs a second instance in the same cycle.
  for (int i = 0; i < cycles * 2; ++i) {
    Launch launch;
    launch.app.pid = 2000 + (i / 2) % kChurnCodexPids;
    launch.app.ordinal = std::uint32_t(i + 1);
    launch.app.name = "Codex";
    launch.app.bundle = "com.openai.codex";
    launch.app.launched = *model_.wallStart + std::chrono::minutes(i);
    const sim::Owner owner{launch.app.pid, launch.app.ordinal};
    launch.app.root = node(owner, "AXApplication");
    model_.nodes[launch.app.root].isApplication = true;
    model_.nodes[launch.app.root].attributes["AXEnhancedUserInterface"] = sim::SimValue{false};
    launch.window = window(owner, 5000 + i, {600, 300, 640, 480}, "Codex");
    model_.nodes[launch.app.root].hasChildren = true;
    model_.nodes[launch.app.root].children.push_back({launch.window.node, {}});
    launches_.push_back(std::move(launch));
  }
  model_.windows = {serverWindow(kChurnChatPid, stay_)};
}

inline RawValue ChurnDesktop::serverWindow(Pid pid, const Window& window) {
  const ServerRect& r = window.bounds;
  return RawValue{RawDictionary{
      {"kCGWindowNumber", RawValue{window.number}},
      {"kCGWindowOwnerPID", RawValue{std::int64_t{pid}}},
      {"kCGWindowLayer", RawValue{std::int64_t{0}}},
      {"kCGWindowBounds",
       RawValue{RawDictionary{
           {"X", {r.x}}, {"Y", {r.y}}, {"Width", {r.width}}, {"Height", {r.height}}}}}}};
}

inline void ChurnDesktop::setServerWindows(sim::SimDesktop& desktop) {
  RawArray windows;
  if (codexRunning_) {
    windows.push_back(serverWindow(launches_[std::size_t(launch_)].app.pid,
                                   launches_[std::size_t(launch_)].window));
  }
  if (chatOpened_) windows.push_back(serverWindow(kChurnChatPid, opened_[std::size_t(opening_)]));
  windows.push_back(serverWindow(kChurnChatPid, stay_));
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
