// Start-up, the timers and workspace registrations, and what every part of
// the controller shares.
#include "overlay/overlay_controller.h"

#include <algorithm>
#include <cmath>

namespace lumetta {

std::shared_ptr<OverlayController> OverlayController::create(const Platform& platform) {
  std::shared_ptr<OverlayController> controller(new OverlayController(platform));
  controller->start();
  return controller;
}

OverlayController::OverlayController(const Platform& platform)
    : platform_(platform),
      colorPanel_(platform.colorPanel),
      permissionReady_(platform.accessibility.isProcessTrusted()),
      settings_(platform.defaults, platform.colors),
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

  std::weak_ptr<OverlayController> weak = weak_from_this();
  auto every = [&](std::size_t index, void (OverlayController::*pass)(), Duration period,
                   bool needsEntries, TimerOptions options) {
    Periodic& periodic = periodic_[index];
    periodic = {pass, period, needsEntries, nullptr, now() + period, false};
    periodic.timer = platform_.runLoop.repeatingTimer(
        period,
        [weak, index] {
          if (auto self = weak.lock()) self->tick(self->periodic_[index]);
        },
        options);
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
    tokens_.push_back(center.addObserver(name, [weak](const Notification& notification) {
      auto self = weak.lock();
      if (!self) return;
      if (notification.name == WorkspaceNotification::didTerminateApplication &&
          notification.application) {
        self->removeProcess(notification.application->pid);
      }
      self->census();
      self->geometry();
    }));
  }
  census();
}

OverlayController::~OverlayController() { stop(); }

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
    // The callback holds the controller weakly: the gate never keeps it alive.
    std::weak_ptr<OverlayController> weak = weak_from_this();
    activity_ = std::make_shared<OverlayActivityGate>(platform_.runLoop,
                                                      platform_.workspace.notificationCenter(),
                                                      platform_.windowServer, [weak](bool active) {
                                                        if (auto self = weak.lock())
                                                          self->powerChanged(active);
                                                      });
  }
  return *activity_;
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

std::vector<Pid> OverlayController::trackedProcesses() const {
  std::vector<Pid> pids;
  for (const auto& [pid, root] : roots_) pids.push_back(pid);
  return pids;
}

const std::vector<Subscription>* OverlayController::subscriptions(Pid pid) const {
  auto found = subscriptions_.find(pid);
  return found == subscriptions_.end() ? nullptr : &found->second;
}

OverlayController::Bookkeeping OverlayController::bookkeeping() const {
  Bookkeeping kept;
  kept.entries = entries_.size();
  for (const auto& entry : entries_) kept.panels += entry->panel ? 1 : 0;
  kept.observers = observers_.size();
  for (const auto& [pid, list] : subscriptions_) kept.subscriptions += list.size();
  kept.roots = roots_.size();
  kept.launchDates = generations_.size();
  kept.rendererStatuses = rendererStatuses_.size();
  kept.rendererRequests = rendererRequests_->size();
  kept.logCharacters = events_.text().size();
  return kept;
}

}  // namespace lumetta
