// What the controller keeps of one target process while it is tracked: from
// the census that finds it until it quits, is relaunched, loses the
// permission or the controller stops. One instance per pid holds all of it,
// so that everything leaves with the process. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.h"
#include "platform/clock.h"

namespace lumetta {

// One notification registered on a process's observer.
struct Subscription {
  Element element;
  AXNotification name;
  bool operator==(const Subscription&) const = default;
};

struct TrackedProcess {
  explicit TrackedProcess(Element root) : root(std::move(root)) {}

  Element root;  // the application element, as the last census read it
  // The launch date, once a census reported one: another one means the pid
  // was reused by a relaunch.
  std::optional<WallTime> generation;
  std::string rendererStatus;  // its line in the status text

  // Its accessibility observer, made by the first reconciliation. Shared only
  // with a registration job in flight, which hands it back to the main thread.
  std::shared_ptr<Observer> observer;
  // What the observer is known to hold: made, or refused for good.
  std::vector<Subscription> subscriptions;
  bool registering = false;  // a reconciliation is in flight
  bool reregister = false;   // asked for again while one was in flight
  // Left a request unanswered: not asked again until a census hears from it.
  bool unanswered = false;
};

}  // namespace lumetta
