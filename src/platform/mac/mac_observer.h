// Accessibility observers of the macOS backend. Each registration is the
// context the system hands back with a notification: it leads to the owning
// observer and carries the caller's own context.
//
// Implements: AXObserver registrations with their contexts, made and given up
// from any thread; the observer's source on the main run loop's common modes;
// delivered elements bounded by the registered element's messaging timeout;
// releasing on the main thread (checked) without waiting for the application,
// which is asked to drop the registrations in the background.
// Ignores: nothing of the seam.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <list>

#include "platform/accessibility.h"
#include "platform/contract_checks.h"
#include "platform/mac/cf_ref.h"

namespace lumetta::mac {

class MacObserver final : public Observer {
 public:
  MacObserver(CFRef<AXObserverRef> observer, ObserverCallback callback)
      : observer_(std::move(observer)), callback_(std::move(callback)) {}
  ~MacObserver() override;
  MacObserver(const MacObserver&) = delete;
  MacObserver& operator=(const MacObserver&) = delete;

  AXError addNotification(const Element& element, AXNotification notification,
                          void* context) override;
  AXError removeNotification(const Element& element, AXNotification notification) override;
  void attachToMainRunLoop() override;
  void detachFromMainRunLoop() override;

  // The system's callback; `refcon` is one of our registrations, or was.
  static void deliver(AXObserverRef observer, AXUIElementRef element, CFStringRef notification,
                      void* refcon);

 private:
  struct Registration {
    MacObserver* owner;
    Element element;  // as registered: delivered elements take its messaging timeout
    AXNotification notification;
    void* context;
  };

  CFRef<AXObserverRef> observer_;
  const ObserverCallback callback_;
  // Stable addresses, handed to the system; under the live registrations' lock.
  std::list<Registration> registrations_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
