// The per-process accessibility observer and its registrations. The main
// thread decides what each process's observer should hear; registering and
// giving up a notification each ask the target application, which may not
// answer for the whole messaging timeout, so those requests run as jobs on the
// registration queue and only their outcome comes back to the main thread.
// Observers themselves are made and released on the main thread only.
#include <algorithm>

#include "overlay/overlay_controller.h"

namespace lumetta {

namespace {

constexpr AXNotification kApplicationNotifications[] = {
    AXNotification::windowCreated,        AXNotification::focusedWindowChanged,
    AXNotification::mainWindowChanged,    AXNotification::focusedUIElementChanged,
    AXNotification::applicationActivated, AXNotification::applicationDeactivated};
constexpr AXNotification kWindowNotifications[] = {AXNotification::moved,
                                                   AXNotification::resized,
                                                   AXNotification::uiElementDestroyed,
                                                   AXNotification::windowMiniaturized,
                                                   AXNotification::windowDeminiaturized,
                                                   AXNotification::layoutChanged};
constexpr AXNotification kElementNotifications[] = {
    AXNotification::titleChanged, AXNotification::valueChanged, AXNotification::layoutChanged,
    AXNotification::loadComplete, AXNotification::uiElementDestroyed};

// Whether asking again may answer differently: the application did not answer
// in time, or the system failed. Any other answer stands, so a registration
// that got it counts as made.
bool worthAskingAgain(AXError error) {
  return error == axerr::cannotComplete || error == axerr::failure;
}

bool contains(const std::vector<Subscription>& list, const Subscription& subscription) {
  return std::find(list.begin(), list.end(), subscription) != list.end();
}

// Whether two handles share one observer, without taking a strong reference.
bool sameObserver(const std::weak_ptr<Observer>& a, const std::shared_ptr<Observer>& b) {
  return !a.owner_before(b) && !b.owner_before(a);
}

}  // namespace

void OverlayController::subscribe(Pid pid) {
  TrackedProcess* tracked = process(pid);
  if (!tracked) return;
  if (!tracked->observer) {
    ObserverResult created = platform_.accessibility.createObserver(
        pid, [weak = weak_.handle()](const Element& element, AXNotification name, void* context) {
          if (!context) return;
          if (OverlayController* self = weak.get()) self->notification(element, name);
        });
    if (!created.observer) {
      log("Observer pid=" + std::to_string(pid) + " failed: " + std::to_string(created.error));
      return;
    }
    created.observer->attachToMainRunLoop();
    tracked->observer = std::move(created.observer);
  }
  // One reconciliation per process at a time; a later wish waits for it.
  if (tracked->registering) {
    tracked->reregister = true;
    return;
  }
  // An application that has stopped answering is not asked again until the
  // census hears from it; each request would wait out the timeout.
  if (tracked->unanswered) return;

  std::vector<Subscription> desired;
  auto want = [&](const Element& element, std::span<const AXNotification> names) {
    for (AXNotification name : names) desired.push_back({element, name});
  };
  want(tracked->root, kApplicationNotifications);
  for (const auto& entry : entries_) {
    if (entry->pid != pid) continue;
    want(entry->window, kWindowNotifications);
    for (const Element& button : entry->buttons) want(button, kElementNotifications);
    for (const Element& area : entry->areas) want(area, kElementNotifications);
  }

  const std::vector<Subscription>& registered = tracked->subscriptions;
  RegistrationChange change;
  for (const Subscription& old : registered) {
    if (!contains(desired, old)) change.removals.push_back(old);
  }
  for (Subscription& wanted : desired) {
    if (!contains(registered, wanted)) change.additions.push_back(std::move(wanted));
  }
  if (change.removals.empty() && change.additions.empty()) return;

  tracked->registering = true;
  // Without a token: the outcome stands whatever the gate says since. It
  // belongs to this observer only; a process removed meanwhile forgot its
  // registrations with its observer.
  const std::weak_ptr<Observer> asked = tracked->observer;
  Ticket ticket{{}, [pid, asked](OverlayController& self) {
                  if (TrackedProcess* current = self.process(pid);
                      current && sameObserver(asked, current->observer)) {
                    current->registering = false;
                  }
                }};
  run(
      *registrationQueue_, std::move(ticket),
      [pid, change = std::move(change), context = this,
       observer = tracked->observer](const Context& job) mutable {
        RegistrationOutcome outcome;
        if (job.ownerAlive()) outcome = registrationJob(*observer, change, context);
        // The observer goes back with the outcome: its last owner lets go of
        // it on the main thread.
        return RegistrationResult{pid, std::move(observer), std::move(change), std::move(outcome)};
      },
      &OverlayController::applyRegistrations);
}

OverlayController::RegistrationOutcome OverlayController::registrationJob(
    Observer& observer, const RegistrationChange& change, void* context) {
  // Once the application has not answered, the rest would only wait as long
  // again each: they wait for the next reconciliation instead.
  bool answering = true;
  auto ask = [&](auto request) -> std::optional<AXError> {
    if (!answering) return std::nullopt;
    const AXError error = request();
    answering = error != axerr::cannotComplete;
    return error;
  };
  RegistrationOutcome outcome;
  for (const Subscription& old : change.removals) {
    outcome.removals.push_back(
        ask([&] { return observer.removeNotification(old.element, old.name); }));
  }
  for (const Subscription& wanted : change.additions) {
    outcome.additions.push_back(
        ask([&] { return observer.addNotification(wanted.element, wanted.name, context); }));
  }
  return outcome;
}

void OverlayController::applyRegistrations(RegistrationResult result) {
  const Pid pid = result.pid;
  const RegistrationChange& change = result.change;
  const RegistrationOutcome& outcome = result.outcome;
  TrackedProcess* tracked = process(pid);
  if (!tracked || tracked->observer != result.observer) return;
  result.observer.reset();

  std::vector<Subscription>& registered = tracked->subscriptions;
  auto unanswered = [](const std::optional<AXError>& result) {
    return !result || *result == axerr::cannotComplete;
  };
  if (std::any_of(outcome.removals.begin(), outcome.removals.end(), unanswered) ||
      std::any_of(outcome.additions.begin(), outcome.additions.end(), unanswered)) {
    tracked->unanswered = true;
  }
  for (std::size_t i = 0; i < change.removals.size(); ++i) {
    const std::optional<AXError>& result = outcome.removals[i];
    // Unasked or unanswered, the registration may still stand: given up again later.
    if (unanswered(result)) continue;
    std::erase(registered, change.removals[i]);
  }
  for (std::size_t i = 0; i < change.additions.size(); ++i) {
    const std::optional<AXError>& result = outcome.additions[i];
    if (!result) continue;  // unasked: the next reconciliation asks
    if (*result != axerr::success) {
      log("Subscription " + std::string(notificationName(change.additions[i].name)) +
          " failed: " + std::to_string(*result));
    }
    if (!worthAskingAgain(*result)) registered.push_back(change.additions[i]);
  }
  if (std::exchange(tracked->reregister, false)) subscribe(pid);
}

}  // namespace lumetta
