// Accessibility observers of the simulated desktop: registrations per element
// and name, delivered through the main run loop while attached. Each observer
// is known to the service by a token that is never reused.
//
// Implements: registrations per element and notification with the caller's
// context, each a request its application answers as it answers reads (slow,
// hung or gone); application-level notifications heard on the application
// element; the main-thread contract of making, attaching and releasing.
// Ignores: run-loop modes (delivery goes through the main queue).
#pragma once

#include <cstdint>

#include "platform/contract_checks.h"
#include "platform/sim/services/sim_accessibility.h"

namespace lumetta::sim {

class SimObserver final : public Observer {
 public:
  SimObserver(SimAccessibility& owner, Pid pid, ObserverCallback callback);
  ~SimObserver() override;

  AXError addNotification(const Element& element, AXNotification notification,
                          void* context) override;
  AXError removeNotification(const Element& element, AXNotification notification) override;
  void attachToMainRunLoop() override;
  void detachFromMainRunLoop() override;

 private:
  friend class SimAccessibility;

  // What this observer holds, under the owner's observers lock.
  SimAccessibility::ObserverState& stateLocked() LUMETTA_REQUIRES(owner_.observersMutex_) {
    return owner_.observers_.at(token_);
  }

  SimAccessibility& owner_;
  const Pid pid_;
  const ObserverCallback callback_;
  const std::uint64_t token_;  // its state's key in the owner, enrolled last
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::sim
