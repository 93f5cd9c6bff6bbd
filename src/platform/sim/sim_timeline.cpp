#include "platform/sim/sim_timeline.h"

#include <type_traits>

namespace lumetta::sim {

SimTimeline::SimTimeline(SimDesktop& desktop, SimAccessibility& accessibility, RunLoop& runLoop,
                         NotificationCenter& center, SimColorPanel& colorPanel,
                         SimLoginItem& loginItem, SimApplication& application)
    : desktop_(desktop),
      accessibility_(accessibility),
      runLoop_(runLoop),
      center_(center),
      colorPanel_(colorPanel),
      loginItem_(loginItem),
      application_(application) {}

SimTimeline::~SimTimeline() {
  for (auto& item : scheduled_) item->cancel();
}

void SimTimeline::start() {
  for (const TimelineEvent& event : desktop_.timeline()) {
    auto item = std::make_shared<WorkItem>([this, &event] { apply(event); });
    scheduled_.push_back(item);
    runLoop_.postAfter(event.at, std::move(item));
  }
}

void SimTimeline::announce(WorkspaceNotification name, std::optional<RunningApplication> app) {
  center_.post(Notification{name, std::move(app)});
}

void SimTimeline::apply(const TimelineEvent& event) {
  std::visit(
      [this](const auto& action) {
        using A = std::decay_t<decltype(action)>;
        if constexpr (std::is_same_v<A, SetAction>) {
          desktop_.setAttribute(action.element.node, action.attribute, action.value, action.error);
        } else if constexpr (std::is_same_v<A, ChildrenAction>) {
          desktop_.replaceChildren(action.element.node, action.children);
        } else if constexpr (std::is_same_v<A, MoveAction>) {
          desktop_.moveWindow(action.window, action.bounds);
        } else if constexpr (std::is_same_v<A, RaiseAction>) {
          desktop_.raiseWindow(action.window);
        } else if constexpr (std::is_same_v<A, WindowsAction>) {
          desktop_.replaceWindows(action.windows);
        } else if constexpr (std::is_same_v<A, LaunchAction>) {
          announce(WorkspaceNotification::didLaunchApplication, desktop_.launch(action.app));
        } else if constexpr (std::is_same_v<A, TerminateAction>) {
          if (auto gone = desktop_.terminate(action.pid)) {
            announce(WorkspaceNotification::didTerminateApplication, std::move(gone));
          }
        } else if constexpr (std::is_same_v<A, ActivateAction>) {
          desktop_.activate(action.pid);
          if (action.pid == application_.processId()) application_.becomeActive();
        } else if constexpr (std::is_same_v<A, PowerAction>) {
          switch (action) {
            case PowerAction::sleep: announce(WorkspaceNotification::willSleep); break;
            case PowerAction::wake: announce(WorkspaceNotification::didWake); break;
            case PowerAction::screensSleep:
              desktop_.setDisplaysAsleep(true);
              announce(WorkspaceNotification::screensDidSleep);
              break;
            case PowerAction::screensWake:
              desktop_.setDisplaysAsleep(false);
              announce(WorkspaceNotification::screensDidWake);
              break;
            case PowerAction::sessionResign:
              desktop_.setOnConsole(false);
              announce(WorkspaceNotification::sessionDidResignActive);
              break;
            case PowerAction::sessionActive:
              desktop_.setOnConsole(true);
              announce(WorkspaceNotification::sessionDidBecomeActive);
              break;
            case PowerAction::spaceChange:
              announce(WorkspaceNotification::activeSpaceDidChange);
              break;
          }
        } else if constexpr (std::is_same_v<A, TrustedAction>) {
          desktop_.setTrusted(action.trusted);
        } else if constexpr (std::is_same_v<A, HangAction>) {
          desktop_.setHung(action.pid, action.hung);
        } else if constexpr (std::is_same_v<A, PickColorAction>) {
          colorPanel_.pick(action.color);
        } else if constexpr (std::is_same_v<A, LoginItemAction>) {
          loginItem_.apply(action);
        } else {
          static_assert(std::is_same_v<A, NotifyAction>);
          accessibility_.deliver(action.element.node, action.name);
        }
      },
      event.action);
}

}  // namespace lumetta::sim
