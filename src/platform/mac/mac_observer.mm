#include "platform/mac/mac_observer.h"

#import <Foundation/Foundation.h>

#include "platform/mac/cf_string.h"
#include "platform/mac/mac_accessibility.h"
#include "platform/mac/mac_element.h"

namespace lumetta::mac {

MacObserver::~MacObserver() {
  @autoreleasepool {
    detachFromMainRunLoop();
    for (const Registration& registration : registrations_) {
      AXObserverRemoveNotification(observer_.get(), macElement(registration.element).ref(),
                                   (__bridge CFStringRef)nsString(registration.notification));
    }
  }
}

AXError MacObserver::addNotification(const Element& element, std::string_view notification,
                                     void* context) {
  @autoreleasepool {
    Registration& registration = registrations_.emplace_back(
        Registration{this, element, std::string(notification), context});
    const ::AXError error =
        AXObserverAddNotification(observer_.get(), macElement(element).ref(),
                                  (__bridge CFStringRef)nsString(notification), &registration);
    if (error != kAXErrorSuccess) registrations_.pop_back();
    return error;
  }
}

AXError MacObserver::removeNotification(const Element& element, std::string_view notification) {
  @autoreleasepool {
    const ::AXError error = AXObserverRemoveNotification(
        observer_.get(), macElement(element).ref(), (__bridge CFStringRef)nsString(notification));
    // A registration the system may still hold stays alive with the observer.
    if (error == kAXErrorSuccess) {
      registrations_.remove_if([&](const Registration& registration) {
        return registration.element == element && registration.notification == notification;
      });
    }
    return error;
  }
}

void MacObserver::attachToMainRunLoop() {
  CFRunLoopAddSource(CFRunLoopGetMain(), AXObserverGetRunLoopSource(observer_.get()),
                     kCFRunLoopCommonModes);
}

void MacObserver::detachFromMainRunLoop() {
  CFRunLoopRemoveSource(CFRunLoopGetMain(), AXObserverGetRunLoopSource(observer_.get()),
                        kCFRunLoopCommonModes);
}

void MacObserver::deliver(AXObserverRef, AXUIElementRef element, CFStringRef notification,
                          void* refcon) {
  @autoreleasepool {
    const auto& registration = *static_cast<const Registration*>(refcon);
    // Copies: the callback may release the observer that owns the registration.
    const ObserverCallback callback = registration.owner->callback_;
    void* const context = registration.context;
    // The element is bounded as the registered one is: by its handle's timeout.
    const float timeout = macElement(registration.element).timeout();
    callback(elementFor(CFRef<AXUIElementRef>::retain(element), timeout), utf8(notification),
             context);
  }
}

ObserverResult MacAccessibility::createObserver(Pid pid, ObserverCallback callback) {
  CFRef<AXObserverRef> observer;
  const ::AXError error = AXObserverCreate(pid, &MacObserver::deliver, observer.out());
  if (error != kAXErrorSuccess) return {nullptr, error};
  return {std::make_unique<MacObserver>(std::move(observer), std::move(callback)), axerr::success};
}

}  // namespace lumetta::mac
