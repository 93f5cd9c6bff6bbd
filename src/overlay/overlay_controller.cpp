// Start-up, the timers and workspace registrations, and what every part of
// the controller shares.
#include "overlay/overlay_controller.h"

#include <algorithm>
#include <cmath>

namespace lumetta {

std::unique_ptr<OverlayController> OverlayController::create(const Platform& platform) {
  std::unique_ptr<OverlayController> controller(new OverlayController(platform));
  controller->start();
  return controller;
}

OverlayController::OverlayController(const Platform& platform)
    : platform_(platform),
      colorPanel_(platform.colorPanel),
      permissionReady_(platform.accessibility.isProcessTrusted()),
      settings_(platform.defaults, platform.colors),
      status_(
          platform.runLoop, "Waiting for Accessibility permission", [this] { return describe(); },
          [this] { changeObservers_.notify(); }),
      events_(platform.text),
      censusQueue_(platform.runLoop.makeSerialQueue(kCensusQueueLabel, QualityOfService::utility)),
      scanQueue_(platform.runLoop.makeSerialQueue(kScanQueueLabel, QualityOfService::utility)),
      geometryQueue_(
          platform.runLoop.makeSerialQueue(kGeometryQueueLabel, QualityOfService::userInteractive)),
      labelQueue_(platform.runLoop.makeSerialQueue(kLabelQueueLabel, QualityOfService::utility)),
      registrationQueue_(
          platform.runLoop.makeSerialQueue(kRegistrationQueueLabel, QualityOfService::utility)) {}

void OverlayController::start() {
  loadSettings();

  // The timers and registrations go with the controller: `this` never
  // outlives them.
  auto every = [&](std::size_t index, void (OverlayController::*pass)(), Duration period,
                   bool needsEntries, TimerOptions options) {
    Periodic& periodic = periodic_[index];
    periodic = {pass, period, needsEntries, nullptr, now() + period, false};
    periodic.timer = platform_.runLoop.repeatingTimer(
        period, [this, index] { tick(periodic_[index]); }, options);
  };
  every(0, &OverlayController::geometry, kGeometryPeriod, true,
        {kGeometryTolerance, RunLoopMode::common});
  every(1, &OverlayController::census, kCensusPeriod, false,
        {Duration::zero(), RunLoopMode::defaultMode});
  every(2, &OverlayController::labels, kLabelPeriod, true,
        {Duration::zero(), RunLoopMode::defaultMode});

  NotificationCenter& center = platform_.workspace.notificationCenter();
  for (auto name :
       {WorkspaceNotification::didLaunchApplication, WorkspaceNotification::didTerminateApplication,
        WorkspaceNotification::activeSpaceDidChange}) {
    workspaceRegistrations_.push_back(
        center.addObserver(name, [this](const Notification& notification) {
          if (notification.name == WorkspaceNotification::didTerminateApplication &&
              notification.application) {
            removeProcess(notification.application->pid);
          }
          census();
          geometry();
        }));
  }
  census();
  // Created, it publishes its first text at once.
  status_.flush();
}

OverlayController::~OverlayController() {
  // Jobs and replies still under way find nothing from here on.
  weak_.invalidate();
  stop();
}

void OverlayController::tick(Periodic& periodic) {
  // It fired at `due`, or later; the run loop moves a late timer past the
  // firings it missed.
  const Uptime at = now();
  periodic.due += periodic.period * (std::floor((at - periodic.due) / periodic.period) + 1);
  if (periodic.needsEntries && entries_.empty()) {
    // Nothing to do until a census makes an entry: no wake-ups meanwhile.
    periodic.idle = true;
    periodic.timer->park();
    return;
  }
  (this->*periodic.pass)();
}

void OverlayController::resumeIdlePasses() {
  const Uptime at = now();
  for (Periodic& periodic : periodic_) {
    if (!periodic.idle) continue;
    // The firings it would have had meanwhile, one period at a time as a
    // timer on time has them: the same grid to the last bit.
    while (!(at < periodic.due)) periodic.due += periodic.period;
    periodic.timer->setNextFireTime(periodic.due);
    periodic.idle = false;
  }
}

OverlayActivityGate& OverlayController::activity() {
  if (!activity_) {
    // Jobs share the gate, so it may outlive the controller: its callback
    // holds the controller weakly.
    activity_ = std::make_shared<OverlayActivityGate>(
        platform_.runLoop, platform_.workspace.notificationCenter(), platform_.windowServer,
        [weak = weak_.handle()](bool active) {
          if (OverlayController* self = weak.get()) self->powerChanged(active);
        });
  }
  return *activity_;
}

OverlayController::Ticket OverlayController::ticket(
    Token token, std::function<void(OverlayController&)> release) {
  return {[gate = activity_, token] { return gate->isCurrent(token); }, std::move(release)};
}

void OverlayController::hideAllPanels() {
  for (auto& entry : entries_) {
    if (entry->panel && entry->panel->window().isVisible()) entry->panel->window().orderOut();
  }
}

Entry* OverlayController::entryWithId(std::int64_t id) {
  auto found = std::find_if(entries_.begin(), entries_.end(),
                            [id](const auto& entry) { return entry->id == id; });
  return found == entries_.end() ? nullptr : found->get();
}

TrackedProcess* OverlayController::process(Pid pid) {
  auto found = processes_.find(pid);
  return found == processes_.end() ? nullptr : &found->second;
}

bool OverlayController::hasObserver(Pid pid) const {
  auto found = processes_.find(pid);
  return found != processes_.end() && found->second.observer;
}

std::vector<Pid> OverlayController::trackedProcesses() const {
  std::vector<Pid> pids;
  for (const auto& [pid, process] : processes_) pids.push_back(pid);
  return pids;
}

const std::vector<Subscription>* OverlayController::subscriptions(Pid pid) const {
  auto found = processes_.find(pid);
  return found == processes_.end() ? nullptr : &found->second.subscriptions;
}

OverlayController::Bookkeeping OverlayController::bookkeeping() const {
  Bookkeeping kept;
  kept.entries = entries_.size();
  for (const auto& entry : entries_) kept.panels += entry->panel ? 1 : 0;
  kept.roots = kept.rendererStatuses = processes_.size();
  for (const auto& [pid, process] : processes_) {
    kept.observers += process.observer ? 1 : 0;
    kept.subscriptions += process.subscriptions.size();
    kept.launchDates += process.generation ? 1 : 0;
  }
  kept.rendererRequests = rendererRequests_->size();
  kept.logCharacters = events_.text().size();
  return kept;
}

}  // namespace lumetta
