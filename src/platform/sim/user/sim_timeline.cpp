#include "platform/sim/user/sim_timeline.h"

#include <type_traits>

#include "platform/ax_notification.h"
#include "support/text_format.h"

namespace lumetta::sim {

namespace {

// "#E64D1A", or the pattern's name.
std::string colorText(const SimColor& color) {
  if (const auto* srgb = std::get_if<Color>(&color)) return hexColor(*srgb);
  return "the pattern " + quotedLiteral(std::get<PatternColor>(color).name);
}

bool isUserStep(const TimelineEvent& event) {
  return std::holds_alternative<UserStepAction>(event.action);
}

}  // namespace

SimTimeline::SimTimeline(SimDesktop& desktop, SimAccessibility& accessibility, RunLoop& runLoop,
                         NotificationCenter& center, SimColorPanel& colorPanel,
                         SimLoginItem& loginItem, SimApplication& application, ScriptedUser& user)
    : desktop_(desktop),
      accessibility_(accessibility),
      runLoop_(runLoop),
      center_(center),
      colorPanel_(colorPanel),
      loginItem_(loginItem),
      application_(application),
      user_(user) {}

SimTimeline::~SimTimeline() {
  for (auto& item : scheduled_) item->cancel();
  *alive_ = false;
}

void SimTimeline::start() {
  const auto& events = desktop_.timeline();
  finished_ = events.empty();
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (i > 0 && events[i - 1].at == events[i].at) continue;  // run after the one before
    auto item = std::make_shared<WorkItem>([this, i] { run(i); });
    scheduled_.push_back(item);
    runLoop_.postAfter(events[i].at, std::move(item));
  }
}

void SimTimeline::run(std::size_t index) {
  const auto& events = desktop_.timeline();
  for (;;) {
    if (application_.terminated()) return;
    apply(events[index]);
    const std::size_t next = index + 1;
    if (next == events.size()) {
      finished_ = true;
      return;
    }
    if (events[next].at != events[index].at) return;
    // A user step acts on the popover as it stands: the main queue first runs
    // what the events before it posted (a re-render), and what the step posted
    // runs before the events after it.
    if (isUserStep(events[index]) || isUserStep(events[next])) {
      runLoop_.post([this, next, alive = alive_] {
        if (*alive) run(next);
      });
      return;
    }
    index = next;
  }
}

void SimTimeline::announce(WorkspaceNotification name, std::optional<RunningApplication> app) {
  center_.post(Notification{name, std::move(app)});
}

void SimTimeline::apply(const TimelineEvent& event) {
  std::visit(
      [this, &event](const auto& action) {
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
          if (action.pid == application_.processId()) {
            application_.becomeActive();
            user_.did("make Lumetta the active application", event.at);
          }
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
          user_.did("pick " + colorText(action.color) + " in the colour panel", event.at);
        } else if constexpr (std::is_same_v<A, LoginItemAction>) {
          loginItem_.apply(action);
          if (action.kind == LoginItemAction::Kind::approve) {
            user_.did("approve the login item in the system settings", event.at);
          } else if (action.kind == LoginItemAction::Kind::deny) {
            user_.did("deny the login item in the system settings", event.at);
          }
        } else if constexpr (std::is_same_v<A, UserStepAction>) {
          user_.perform(action, event.at);
        } else {
          static_assert(std::is_same_v<A, NotifyAction>);
          // A name outside the vocabulary loads, but no observer can be
          // registered for it: it reaches no one.
          if (const auto notification = parseAXNotification(action.name)) {
            accessibility_.deliver(action.element.node, *notification);
          }
        }
      },
      event.action);
}

}  // namespace lumetta::sim
