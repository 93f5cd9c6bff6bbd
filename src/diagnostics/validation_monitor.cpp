#include "diagnostics/validation_monitor.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "classify/attribute_text.h"
#include "classify/mode_scan.h"
#include "classify/report.h"
#include "classify/target_apps.h"
#include "support/output.h"
#include "support/text_format.h"

namespace lumetta {

namespace {

constexpr AXNotification kApplicationNotifications[] = {
    AXNotification::windowCreated,        AXNotification::focusedWindowChanged,
    AXNotification::mainWindowChanged,    AXNotification::focusedUIElementChanged,
    AXNotification::applicationActivated, AXNotification::applicationDeactivated,
    AXNotification::layoutChanged};
constexpr AXNotification kWindowNotifications[] = {AXNotification::moved,
                                                   AXNotification::resized,
                                                   AXNotification::titleChanged,
                                                   AXNotification::uiElementDestroyed,
                                                   AXNotification::windowMiniaturized,
                                                   AXNotification::windowDeminiaturized,
                                                   AXNotification::layoutChanged,
                                                   AXNotification::selectedChildrenChanged};
constexpr AXNotification kWebAreaNotifications[] = {
    AXNotification::layoutChanged, AXNotification::loadComplete, AXNotification::titleChanged,
    AXNotification::selectedChildrenChanged};
constexpr AXNotification kButtonNotifications[] = {
    AXNotification::titleChanged, AXNotification::valueChanged, AXNotification::uiElementDestroyed,
    AXNotification::layoutChanged, AXNotification::selectedChildrenChanged};
constexpr AXNotification kButtonParentNotifications[] = {AXNotification::layoutChanged,
                                                         AXNotification::selectedChildrenChanged};
constexpr std::string_view kSnapshotAttributes[] = {
    "AXSubrole", "AXFocused", "AXMain", "AXMinimized", "AXFullScreen", "AXPosition", "AXSize"};
constexpr std::string_view kPopupAttributes[] = {"AXRole", "AXTitle", "AXDescription"};

constexpr Duration kDiscoveryDelay = Duration::milliseconds(100);
constexpr Duration kSamplePeriod = Duration::milliseconds(100);

bool sameSubscription(const ValidationMonitor::Subscription& a,
                      const ValidationMonitor::Subscription& b) {
  return a.name == b.name && a.element == b.element;
}

bool contains(const std::vector<ValidationMonitor::Subscription>& list,
              const ValidationMonitor::Subscription& subscription) {
  return std::any_of(list.begin(), list.end(),
                     [&](const auto& s) { return sameSubscription(s, subscription); });
}

void request(std::vector<ValidationMonitor::Subscription>& list, const Element& element,
             const std::string& kind, std::span<const AXNotification> names) {
  for (AXNotification name : names) list.push_back({element, kind, name});
}

}  // namespace

ValidationMonitor::ValidationMonitor(const Platform& platform, std::ostream& out, bool sampleLabels)
    : platform_(platform),
      out_(out),
      startTime_(platform.clock.uptime()),
      sampleLabels_(sampleLabels) {}

ValidationMonitor::~ValidationMonitor() {
  if (pendingDiscovery_) pendingDiscovery_->cancel();
}

void ValidationMonitor::emit(const std::string& text) {
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, "t=%.3fs ",
                (platform_.clock.uptime() - startTime_).inSeconds());
  printLine(out_, stamp + text);
}

void ValidationMonitor::start() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  Accessibility& ax = platform_.accessibility;
  const bool trusted = ax.isProcessTrusted();
  emit("START utc=" + iso8601(platform_.clock.now()) + " trusted=" + (trusted ? "true" : "false") +
       " window numbers are session AX object references only; full-tree polling=OFF "
       "cached-label sampling=" +
       (sampleLabels_ ? "100ms" : "OFF"));
  if (!trusted) {
    emit("BLOCKED: Accessibility permission required");
    return;
  }
  discover("startup");
  NotificationCenter& center = platform_.workspace.notificationCenter();
  for (auto name : {WorkspaceNotification::didLaunchApplication,
                    WorkspaceNotification::didTerminateApplication}) {
    workspaceTokens_.push_back(
        center.addObserver(name, [this](const Notification& n) { workspaceEvent(n); }));
  }
  if (sampleLabels_) {
    sampleTimer_ = platform_.runLoop.repeatingTimer(kSamplePeriod, [this] { sampleLabels(); });
  }
}

void ValidationMonitor::stop() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  stopped_ = true;
  sampleTimer_.reset();
  workspaceTokens_.clear();
  for (auto& [pid, observer] : observers_) observer->detachFromMainRunLoop();
  observers_.clear();
  emit("STOP");
}

void ValidationMonitor::workspaceEvent(const Notification& notification) {
  // The same targets as every discovery takes.
  if (!notification.application || !isTargetApp(*notification.application)) return;
  emit("WORKSPACE " + std::string(notificationName(notification.name)) +
       " pid=" + std::to_string(notification.application->pid));
  scheduleDiscovery("workspace lifecycle");
}

void ValidationMonitor::scheduleDiscovery(const std::string& reason) {
  // Bursts coalesce into one discovery; the first reason wins.
  if (rescanScheduled_ || stopped_) return;
  rescanScheduled_ = true;
  pendingDiscovery_ = std::make_shared<WorkItem>([this, reason] {
    if (stopped_) return;
    rescanScheduled_ = false;
    discover(reason);
  });
  platform_.runLoop.postAfter(kDiscoveryDelay, pendingDiscovery_);
}

std::int64_t ValidationMonitor::windowNumber(Pid pid, const Element& window) {
  auto [entry, isNew] = windowNumbers_[pid].try_emplace(window, nextWindowReference_);
  if (isNew) ++nextWindowReference_;
  return entry->second;
}

std::size_t ValidationMonitor::numberedWindows() const {
  std::size_t count = 0;
  for (const auto& [pid, windows] : windowNumbers_) count += windows.size();
  return count;
}

std::string ValidationMonitor::popupSignature(const Element& button) {
  auto lines = attributeLines(platform_.accessibility, button, kPopupAttributes);
  return lines[0] + " | " + lines[1] + " | " + lines[2];
}

std::string ValidationMonitor::buttonSignatures(const std::vector<Element>& buttons) {
  std::vector<std::string> signatures;
  for (const Element& button : buttons) signatures.push_back(popupSignature(button));
  return joined(signatures, " || ");
}

void ValidationMonitor::reconcile(Pid pid, std::vector<Subscription> desired) {
  auto found = observers_.find(pid);
  if (found == observers_.end()) return;  // without an observer nothing is registered
  Observer& observer = *found->second;
  const std::vector<Subscription> old = std::move(subscriptions_[pid]);
  for (const Subscription& subscription : old) {
    if (!contains(desired, subscription))
      observer.removeNotification(subscription.element, subscription.name);
  }
  for (const Subscription& subscription : desired) {
    if (contains(old, subscription)) continue;
    AXError error = observer.addNotification(subscription.element, subscription.name, this);
    if (observer_) observer_->subscribed(subscription.element, subscription.name, error);
    emit("SUBSCRIBE " + subscription.kind + " " + std::string(notificationName(subscription.name)) +
         " AXError=" + std::to_string(error));
  }
  subscriptions_[pid] = std::move(desired);
}

struct ValidationMonitor::Discovery {
  std::vector<std::string> entries;  // of the snapshot
  std::vector<Binding> bindings;
};

void ValidationMonitor::discover(const std::string& reason) {
  if (observer_) observer_->discoveryStarting();
  const Uptime began = platform_.clock.uptime();
  const auto apps = targetApps(platform_.workspace);
  forgetGoneProcesses(apps);
  Discovery found;
  for (const RunningApplication& app : apps) discoverApplication(app, found);
  reportDiscovery(reason, began, found);
  bindings_ = std::move(found.bindings);
}

// Observers, subscriptions and window numbers of processes that are no longer
// targets go, without a line; their window numbers are not handed out again.
void ValidationMonitor::forgetGoneProcesses(const std::vector<RunningApplication>& targets) {
  std::set<Pid> running;
  for (const auto& app : targets) running.insert(app.pid);
  for (auto it = observers_.begin(); it != observers_.end();) {
    if (running.count(it->first)) {
      ++it;
      continue;
    }
    it->second->detachFromMainRunLoop();
    subscriptions_.erase(it->first);
    it = observers_.erase(it);
  }
  std::erase_if(windowNumbers_, [&](const auto& process) { return !running.count(process.first); });
}

// Tried again at every discovery until it succeeds.
void ValidationMonitor::ensureObserver(Pid pid) {
  if (observers_.count(pid)) return;
  ObserverResult created = platform_.accessibility.createObserver(
      pid, [this](const Element& element, AXNotification name, void* context) {
        if (context) notification(element, name);
      });
  emit("OBSERVER pid=" + std::to_string(pid) + " AXError=" + std::to_string(created.error));
  if (observer_) observer_->observerCreated(pid, created.error);
  if (!created.observer) return;
  created.observer->attachToMainRunLoop();
  observers_[pid] = std::move(created.observer);
}

void ValidationMonitor::discoverApplication(const RunningApplication& app, Discovery& found) {
  Accessibility& ax = platform_.accessibility;
  const std::string pid = std::to_string(app.pid);
  Element application = ax.applicationElement(app.pid);
  ax.setMessagingTimeout(application, kDiagnosticMessagingTimeout);
  ensureObserver(app.pid);
  std::vector<Subscription> desired;
  request(desired, application, "application pid=" + pid, kApplicationNotifications);

  ReadResult windowsRead = readAX(ax, application, "AXWindows");
  auto windows = elementsOf(windowsRead);
  if (!windows) {  // the process's subscriptions stay as they were
    found.entries.push_back("pid=" + pid + " AXWindows error=" + std::to_string(windowsRead.error));
    return;
  }
  forgetClosedWindows(app.pid, *windows);
  for (const Element& window : *windows) discoverWindow(app, application, window, desired, found);
  reconcile(app.pid, std::move(desired));
}

// A window that left the list and no longer exists cannot come back, so its
// number goes (never to be handed out again); one that is only absent from
// the list, or cannot be asked, keeps it.
void ValidationMonitor::forgetClosedWindows(Pid pid, const std::vector<Element>& listed) {
  auto numbered = windowNumbers_.find(pid);
  if (numbered == windowNumbers_.end()) return;
  std::erase_if(numbered->second, [&](const auto& item) {
    if (std::find(listed.begin(), listed.end(), item.first) != listed.end()) return false;
    return readAX(platform_.accessibility, item.first, "AXRole").error == axerr::invalidUIElement;
  });
}

// Scans one window, numbers it, and asks for its, its web areas' and its mode
// buttons' notifications.
void ValidationMonitor::discoverWindow(const RunningApplication& app, const Element& application,
                                       const Element& window, std::vector<Subscription>& desired,
                                       Discovery& found) {
  Accessibility& ax = platform_.accessibility;
  const ModeScan scan = scanMode(ax, platform_.clock, window);
  const std::int64_t number = windowNumber(app.pid, window);
  std::string entry = "pid=" + std::to_string(app.pid) + " window=" + std::to_string(number) +
                      " activeApp=" + (app.active ? "true" : "false") + "\n" +
                      focusSummary(ax, application, window) + "\n" + modeSummary(scan);
  for (const std::string& line : attributeLines(ax, window, kSnapshotAttributes))
    entry += "\n" + line;
  found.entries.push_back(std::move(entry));
  found.bindings.push_back({app.pid, window, number, scan.buttons, buttonSignatures(scan.buttons)});

  const std::string windowKind = "window=" + std::to_string(number);
  request(desired, window, windowKind, kWindowNotifications);
  for (const Element& area : scan.webAreas)
    request(desired, area, "webarea " + windowKind, kWebAreaNotifications);
  for (const Element& button : scan.buttons) {
    request(desired, button, "mode-button " + windowKind, kButtonNotifications);
    ReadResult parent = readAX(ax, button, "AXParent");
    const Element* parentElement =
        parent.error == axerr::success && parent.value ? parent.value->get<Element>() : nullptr;
    if (parentElement)
      request(desired, *parentElement, "mode-button parent " + windowKind,
              kButtonParentNotifications);
  }
}

void ValidationMonitor::reportDiscovery(const std::string& reason, Uptime began,
                                        const Discovery& found) {
  std::string snapshot = joined(found.entries, "\n\n");
  char summary[64];
  std::snprintf(summary, sizeof summary, " duration=%.1fms windows=%zu",
                (platform_.clock.uptime() - began).inMilliseconds(), found.bindings.size());
  emit("SCAN reason=" + reason + summary);
  if (snapshot != lastSnapshot_) {
    emit("CLASSIFICATION SNAPSHOT\n" + snapshot);
    lastSnapshot_ = std::move(snapshot);
  }
}

void ValidationMonitor::notification(const Element& element, AXNotification name) {
  if (observer_) observer_->notificationArrived(element, name);
  std::string source = "other";
  for (const auto& [pid, list] : subscriptions_) {
    auto match = std::find_if(list.begin(), list.end(), [&](const Subscription& s) {
      return s.name == name && s.element == element;
    });
    if (match != list.end()) {
      source = match->kind;
      break;
    }
  }
  const std::string named(notificationName(name));
  emit("NOTIFICATION " + named + " source=" + source);
  for (const Binding& binding : bindings_) {
    for (const Element& button : binding.buttons) {
      emit("EVENT-LABEL window=" + std::to_string(binding.index) + " " + popupSignature(button));
    }
  }
  scheduleDiscovery("notification " + named);
}

void ValidationMonitor::sampleLabels() {
  if (observer_) observer_->labelsSampling();
  for (Binding& binding : bindings_) {
    std::string signatures = buttonSignatures(binding.buttons);
    if (signatures == binding.sampledSignature) continue;
    emit("LABEL-SAMPLE pid=" + std::to_string(binding.pid) +
         " window=" + std::to_string(binding.index) + " " + signatures);
    binding.sampledSignature = std::move(signatures);
  }
}

}  // namespace lumetta
