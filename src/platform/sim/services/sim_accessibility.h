// The accessibility service of the simulated desktop. Each request is one
// round trip: it is counted, waits out the owning application's latency, and
// when the application is hung it fails with -25204 after the messaging
// timeout in force on the handle.
//
// Implements: trust (the prompting form counts its prompts), application
// elements, per-handle messaging timeouts carried by every element read or
// notified through the handle, single and batched reads, attribute names, the
// boolean write, observers.
// Ignores: writes of other value types, actions, parameterised attributes and
// the system-wide element, which nothing here uses.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/accessibility.h"
#include "platform/mutex.h"
#include "platform/run_loop.h"
#include "platform/sim/services/sim_clock.h"
#include "platform/sim/services/sim_desktop.h"

namespace lumetta::sim {

inline constexpr Duration kSystemMessagingTimeout = Duration::seconds(6);

class SimElement final : public ElementImpl {
 public:
  SimElement(const SimDesktop* desktop, NodeId node, Pid pid, Duration timeout)
      : desktop(desktop), node(node), pid(pid), timeout(timeout) {}

  bool sameElement(const ElementImpl& other) const override;
  std::size_t hash() const override;

  const SimDesktop* const desktop;
  const NodeId node;                      // kNoNode for an application that does not run
  const Pid pid;                          // identifies such a handle
  mutable std::atomic<Duration> timeout;  // zero: the system default; settable on a shared handle
};

class SimObserver;

class SimAccessibility final : public Accessibility {
 public:
  SimAccessibility(SimDesktop& desktop, SimClock& clock, RunLoop& runLoop)
      : desktop_(desktop), clock_(clock), runLoop_(runLoop) {}

  bool isProcessTrusted() override;
  bool isProcessTrustedWithPrompt() override;
  Element applicationElement(Pid pid) override;
  AXError setMessagingTimeout(const Element& element, Duration timeout) override;
  ReadResult copyAttributeValue(const Element& element, std::string_view attribute) override;
  std::vector<ReadResult> copyAttributeValues(
      const Element& element, std::span<const std::string_view> attributes) override;
  ReadResult copyAttributeNames(const Element& element) override;
  AXError setAttributeValue(const Element& element, std::string_view attribute,
                            bool value) override;
  ObserverResult createObserver(Pid pid, ObserverCallback callback) override;

  // Posts a notification about `node` to the observers registered for it (and,
  // for application-level names, for its application element); callbacks
  // arrive through the main run loop.
  void deliver(NodeId node, AXNotification notification);

  // The node behind a handle of this desktop.
  static NodeId nodeOf(const Element& element);
  Element element(NodeId node) const;
  int trustPrompts() const { return prompts_.load(); }

 private:
  const SimElement& handle(const Element& element) const;
  // Waits as the target would; a non-zero result fails the whole request.
  AXError await(const SimElement& handle);
  Value toValue(const SimValue& value, Duration timeout) const;

  friend class SimObserver;
  // One notification an observer is registered for.
  struct Registration {
    NodeId node;
    AXNotification notification;
    void* context;
    Element element;  // as registered: delivered elements take its messaging timeout
  };
  // A live observer and what it holds, read by deliveries on the main thread
  // and changed by its requests from any thread.
  struct ObserverState {
    SimObserver* observer;
    bool attached = false;
    std::vector<Registration> registrations;

    const Registration* find(NodeId node, AXNotification notification) const;
  };
  // Enrols a new observer; its token, never reused.
  std::uint64_t enrol(SimObserver* observer) LUMETTA_EXCLUDES(observersMutex_);

  SimDesktop& desktop_;
  SimClock& clock_;
  RunLoop& runLoop_;
  std::atomic<int> prompts_{0};
  Mutex observersMutex_;
  // The live observers, by token.
  std::map<std::uint64_t, ObserverState> observers_ LUMETTA_GUARDED_BY(observersMutex_);
  std::uint64_t nextObserverToken_ LUMETTA_GUARDED_BY(observersMutex_) = 1;
};

}  // namespace lumetta::sim
