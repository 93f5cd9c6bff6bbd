#include "platform/sim/services/sim_observer.h"

namespace lumetta::sim {

SimObserver::SimObserver(SimAccessibility& owner, Pid pid, ObserverCallback callback)
    : owner_(owner), pid_(pid), callback_(std::move(callback)), token_(owner.enrol(this)) {}

SimObserver::~SimObserver() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  MutexLock lock(owner_.observersMutex_);
  owner_.observers_.erase(token_);
}

std::uint64_t SimAccessibility::enrol(SimObserver* observer) {
  MutexLock lock(observersMutex_);
  const std::uint64_t token = nextObserverToken_++;
  observers_.emplace(token, ObserverState{observer, false, {}});
  return token;
}

const SimAccessibility::Registration* SimAccessibility::ObserverState::find(
    NodeId node, AXNotification notification) const {
  for (const Registration& r : registrations) {
    if (r.node == node && r.notification == notification) return &r;
  }
  return nullptr;
}

AXError SimObserver::addNotification(const Element& element, AXNotification notification,
                                     void* context) {
  const NodeId node = SimAccessibility::nodeOf(element);
  owner_.desktop_.counters().recordObserverCall(notification);
  // Registering asks the application, which may be slow, hung or gone.
  if (const AXError error = owner_.await(owner_.handle(element)); error != axerr::success) {
    return error;
  }
  if (auto error = owner_.desktop_.notificationError(node, notification)) return *error;
  MutexLock lock(owner_.observersMutex_);
  SimAccessibility::ObserverState& state = stateLocked();
  if (state.find(node, notification)) return axerr::notificationAlreadyRegistered;
  state.registrations.push_back({node, notification, context, element});
  return axerr::success;
}

AXError SimObserver::removeNotification(const Element& element, AXNotification notification) {
  const NodeId node = SimAccessibility::nodeOf(element);
  owner_.desktop_.counters().recordObserverCall(notification);
  const AXError answer = owner_.await(owner_.handle(element));
  MutexLock lock(owner_.observersMutex_);
  std::vector<SimAccessibility::Registration>& registrations = stateLocked().registrations;
  const auto before = registrations.size();
  std::erase_if(registrations, [&](const SimAccessibility::Registration& r) {
    return r.node == node && r.notification == notification;
  });
  if (registrations.size() == before) return axerr::notificationNotRegistered;
  // The registration is gone here either way; an application that did not
  // answer may not have heard of it.
  return answer;
}

void SimObserver::attachToMainRunLoop() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  MutexLock lock(owner_.observersMutex_);
  stateLocked().attached = true;
}

void SimObserver::detachFromMainRunLoop() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  MutexLock lock(owner_.observersMutex_);
  stateLocked().attached = false;
}

ObserverResult SimAccessibility::createObserver(Pid pid, ObserverCallback callback) {
  if (auto error = desktop_.observerError(pid)) return {nullptr, *error};
  return {std::make_unique<SimObserver>(*this, pid, std::move(callback)), axerr::success};
}

void SimAccessibility::deliver(NodeId node, AXNotification notification) {
  const NodeId application =
      isApplicationLevel(notification) ? desktop_.applicationOf(node) : kNoNode;
  runLoop_.post([this, node, application, notification] {
    // Whoever is still registered when the run loop gets to it hears it.
    struct Recipient {
      std::uint64_t token;
      void* context;
      Duration timeout;
    };
    std::vector<Recipient> recipients;
    {
      MutexLock lock(observersMutex_);
      for (const auto& [token, observer] : observers_) {
        if (!observer.attached) continue;
        const Registration* registration = observer.find(node, notification);
        if (!registration && application != kNoNode) {
          registration = observer.find(application, notification);
        }
        if (registration) {
          const Duration timeout = handle(registration->element).timeout;
          recipients.push_back({token, registration->context, timeout});
        }
      }
    }
    for (const Recipient& recipient : recipients) {
      // A callback may release observers; one released is never confused with
      // one made since, as tokens are not reused.
      ObserverCallback callback;
      {
        MutexLock lock(observersMutex_);
        auto it = observers_.find(recipient.token);
        if (it == observers_.end()) continue;
        callback = it->second.observer->callback_;
      }
      callback(Element(std::make_shared<SimElement>(&desktop_, node, 0, recipient.timeout)),
               notification, recipient.context);
    }
  });
}

}  // namespace lumetta::sim
