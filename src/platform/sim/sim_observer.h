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
#include <string>
#include <vector>

#include "platform/contract_checks.h"
#include "platform/sim/sim_accessibility.h"

namespace lumetta::sim {

class SimObserver final : public Observer {
 public:
  SimObserver(SimAccessibility& owner, Pid pid, ObserverCallback callback);
  ~SimObserver() override;

  AXError addNotification(const Element& element, std::string_view notification,
                          void* context) override;
  AXError removeNotification(const Element& element, std::string_view notification) override;
  void attachToMainRunLoop() override;
  void detachFromMainRunLoop() override;

 private:
  friend class SimAccessibility;
  struct Registration {
    NodeId node;
    std::string notification;
    void* context;
    Element element;  // as registered: delivered elements take its messaging timeout
  };

  // Under the owner's observers lock.
  const Registration* findLocked(NodeId node, std::string_view notification) const;

  SimAccessibility& owner_;
  std::uint64_t token_ = 0;  // set under the owner's observers lock
  const Pid pid_;
  const ObserverCallback callback_;
  bool attached_ = false;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
  std::vector<Registration> registrations_;
};

}  // namespace lumetta::sim
