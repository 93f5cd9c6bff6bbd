#include "platform/mac/mac_observer.h"

#import <Foundation/Foundation.h>

#include <mutex>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/mac/mac_accessibility.h"
#include "platform/mac/mac_element.h"

namespace lumetta::mac {

namespace {

// The registrations the system may still call back with, of every observer. A
// registration may be given up on a background queue while its callback waits
// on the main thread, so a callback checks its context here first.
struct LiveRegistrations {
  std::mutex mutex;
  std::unordered_set<const void*> live;
};

LiveRegistrations& liveRegistrations() {
  static auto* registrations = new LiveRegistrations;  // outlives every observer
  return *registrations;
}

// The system's constant for each notification of the seam's vocabulary.
CFStringRef systemName(AXNotification notification) {
  switch (notification) {
    case AXNotification::windowCreated: return kAXWindowCreatedNotification;
    case AXNotification::focusedWindowChanged: return kAXFocusedWindowChangedNotification;
    case AXNotification::mainWindowChanged: return kAXMainWindowChangedNotification;
    case AXNotification::focusedUIElementChanged: return kAXFocusedUIElementChangedNotification;
    case AXNotification::applicationActivated: return kAXApplicationActivatedNotification;
    case AXNotification::applicationDeactivated: return kAXApplicationDeactivatedNotification;
    case AXNotification::applicationHidden: return kAXApplicationHiddenNotification;
    case AXNotification::applicationShown: return kAXApplicationShownNotification;
    // An element's own move and resize ("AXMoved", "AXResized"), not the
    // window-only kAXWindowMovedNotification and kAXWindowResizedNotification.
    case AXNotification::moved: return kAXMovedNotification;
    case AXNotification::resized: return kAXResizedNotification;
    case AXNotification::uiElementDestroyed: return kAXUIElementDestroyedNotification;
    case AXNotification::windowMiniaturized: return kAXWindowMiniaturizedNotification;
    case AXNotification::windowDeminiaturized: return kAXWindowDeminiaturizedNotification;
    case AXNotification::layoutChanged: return kAXLayoutChangedNotification;
    case AXNotification::titleChanged: return kAXTitleChangedNotification;
    case AXNotification::valueChanged: return kAXValueChangedNotification;
    // WebKit posts it on its web areas; the system declares no constant for it.
    case AXNotification::loadComplete: return CFSTR("AXLoadComplete");
    case AXNotification::selectedChildrenChanged: return kAXSelectedChildrenChangedNotification;
  }
  return CFSTR("");
}

}  // namespace

MacObserver::~MacObserver() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  detachFromMainRunLoop();  // no callback runs from here on: they run on this thread
  std::vector<std::pair<Element, AXNotification>> held;
  {
    LiveRegistrations& registrations = liveRegistrations();
    std::lock_guard lock(registrations.mutex);
    for (const Registration& registration : registrations_) {
      registrations.live.erase(&registration);
      held.emplace_back(registration.element, registration.notification);
    }
  }
  if (held.empty()) return;
  // Asking the application to drop them may wait out the messaging timeout
  // each: that happens in the background, and stops at the first that does.
  CFRef<AXObserverRef> observer = observer_;
  dispatch_async(dispatch_get_global_queue(QOS_CLASS_UTILITY, 0), ^{
    @autoreleasepool {
      for (const auto& [element, notification] : held) {
        const ::AXError error = AXObserverRemoveNotification(
            observer.get(), macElement(element).ref(), systemName(notification));
        if (error == kAXErrorCannotComplete) break;
      }
    }
  });
}

AXError MacObserver::addNotification(const Element& element, AXNotification notification,
                                     void* context) {
  @autoreleasepool {
    LiveRegistrations& registrations = liveRegistrations();
    std::list<Registration>::iterator registration;
    {
      std::lock_guard lock(registrations.mutex);
      registration = registrations_.insert(registrations_.end(),
                                           Registration{this, element, notification, context});
      registrations.live.insert(&*registration);
    }
    const ::AXError error = AXObserverAddNotification(observer_.get(), macElement(element).ref(),
                                                      systemName(notification), &*registration);
    if (error != kAXErrorSuccess) {
      std::lock_guard lock(registrations.mutex);
      registrations.live.erase(&*registration);
      registrations_.erase(registration);
    }
    return error;
  }
}

AXError MacObserver::removeNotification(const Element& element, AXNotification notification) {
  @autoreleasepool {
    const ::AXError error = AXObserverRemoveNotification(observer_.get(), macElement(element).ref(),
                                                         systemName(notification));
    // A registration the system may still hold stays alive with the observer.
    if (error == kAXErrorSuccess || error == kAXErrorNotificationNotRegistered) {
      LiveRegistrations& registrations = liveRegistrations();
      std::lock_guard lock(registrations.mutex);
      registrations_.remove_if([&](const Registration& registration) {
        const bool given =
            registration.element == element && registration.notification == notification;
        if (given) registrations.live.erase(&registration);
        return given;
      });
    }
    return error;
  }
}

void MacObserver::attachToMainRunLoop() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  CFRunLoopAddSource(CFRunLoopGetMain(), AXObserverGetRunLoopSource(observer_.get()),
                     kCFRunLoopCommonModes);
}

void MacObserver::detachFromMainRunLoop() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  CFRunLoopRemoveSource(CFRunLoopGetMain(), AXObserverGetRunLoopSource(observer_.get()),
                        kCFRunLoopCommonModes);
}

// The system calls back with the name registered under `refcon`, so the
// registration's own notification is the one that arrived.
void MacObserver::deliver(AXObserverRef, AXUIElementRef element, CFStringRef, void* refcon) {
  @autoreleasepool {
    // Copies: the callback may release the observer that owns the registration.
    ObserverCallback callback;
    AXNotification notification{};
    void* context = nullptr;
    float timeout = 0;
    {
      LiveRegistrations& registrations = liveRegistrations();
      std::lock_guard lock(registrations.mutex);
      if (!registrations.live.contains(refcon)) return;  // given up meanwhile
      const auto& registration = *static_cast<const Registration*>(refcon);
      callback = registration.owner->callback_;
      notification = registration.notification;
      context = registration.context;
      // The element is bounded as the registered one is: by its handle's timeout.
      timeout = macElement(registration.element).timeout();
    }
    callback(elementFor(CFRef<AXUIElementRef>::retain(element), timeout), notification, context);
  }
}

ObserverResult MacAccessibility::createObserver(Pid pid, ObserverCallback callback) {
  CFRef<AXObserverRef> observer;
  const ::AXError error = AXObserverCreate(pid, &MacObserver::deliver, observer.out());
  if (error != kAXErrorSuccess) return {nullptr, error};
  return {std::make_unique<MacObserver>(std::move(observer), std::move(callback)), axerr::success};
}

}  // namespace lumetta::mac
