// The Accessibility API of ApplicationServices, as far as the macOS backend uses
// it (see mac_check_availability.h), and the umbrella's Core Graphics.
#pragma once

#include <stdint.h>
#include <sys/types.h>

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CoreGraphics.h>

#ifdef __cplusplus
extern "C" {
#endif

// The umbrella also brings the classic Carbon records of these names into the
// global namespace; they are declared here so that a clash with the seam's
// Point, Size and Rect shows in the check as it would on a Mac.
struct Point {
  short v;
  short h;
};
typedef struct Point Point;
struct Rect {
  short top;
  short left;
  short bottom;
  short right;
};
typedef struct Rect Rect;
typedef long Size;

typedef enum : int32_t {
  kAXErrorSuccess = 0,
  kAXErrorFailure = -25200,
  kAXErrorCannotComplete = -25204,
  kAXErrorNotificationNotRegistered = -25210,
} AXError;

typedef const struct __attribute__((objc_bridge(id))) __AXUIElement* AXUIElementRef;
typedef struct __attribute__((objc_bridge(id))) __AXObserver* AXObserverRef;
typedef const struct __attribute__((objc_bridge(id))) __AXValue* AXValueRef;

Boolean AXIsProcessTrusted(void) MACOS_SINCE(10.4);
Boolean AXIsProcessTrustedWithOptions(CFDictionaryRef options) MACOS_SINCE(10.9);
extern CFStringRef kAXTrustedCheckOptionPrompt MACOS_SINCE(10.9);

CFTypeID AXUIElementGetTypeID(void) MACOS_SINCE(10.2);
AXUIElementRef AXUIElementCreateApplication(pid_t pid) MACOS_SINCE(10.2);
AXError AXUIElementSetMessagingTimeout(AXUIElementRef element, float timeoutInSeconds)
    MACOS_SINCE(10.4);
AXError AXUIElementCopyAttributeValue(AXUIElementRef element, CFStringRef attribute,
                                      CFTypeRef* value) MACOS_SINCE(10.2);
// An options type: a plain integer in C++, as the SDK declares options there.
typedef UInt32 AXCopyMultipleAttributeOptions;
AXError AXUIElementCopyMultipleAttributeValues(AXUIElementRef element, CFArrayRef attributes,
                                               AXCopyMultipleAttributeOptions options,
                                               CFArrayRef* values) MACOS_SINCE(10.4);
AXError AXUIElementCopyAttributeNames(AXUIElementRef element, CFArrayRef* names) MACOS_SINCE(10.2);
AXError AXUIElementSetAttributeValue(AXUIElementRef element, CFStringRef attribute, CFTypeRef value)
    MACOS_SINCE(10.2);

typedef enum : UInt32 {
  kAXValueTypeCGPoint MACOS_SINCE(10.11) = 1,
  kAXValueTypeCGSize MACOS_SINCE(10.11) = 2,
  kAXValueTypeCGRect MACOS_SINCE(10.11) = 3,
  kAXValueTypeCFRange MACOS_SINCE(10.11) = 4,
  kAXValueTypeAXError MACOS_SINCE(10.11) = 5,
} AXValueType;
CFTypeID AXValueGetTypeID(void) MACOS_SINCE(10.3);
AXValueType AXValueGetType(AXValueRef value) MACOS_SINCE(10.3);
Boolean AXValueGetValue(AXValueRef value, AXValueType theType, void* valuePtr) MACOS_SINCE(10.3);

typedef void (*AXObserverCallback)(AXObserverRef observer, AXUIElementRef element,
                                   CFStringRef notification, void* refcon);
AXError AXObserverCreate(pid_t application, AXObserverCallback callback, AXObserverRef* outObserver)
    MACOS_SINCE(10.2);
AXError AXObserverAddNotification(AXObserverRef observer, AXUIElementRef element,
                                  CFStringRef notification, void* refcon) MACOS_SINCE(10.2);
AXError AXObserverRemoveNotification(AXObserverRef observer, AXUIElementRef element,
                                     CFStringRef notification) MACOS_SINCE(10.2);
CFRunLoopSourceRef AXObserverGetRunLoopSource(AXObserverRef observer) MACOS_SINCE(10.2);

// AXNotificationConstants.h: macros, so without an availability of their own.
#define kAXMainWindowChangedNotification CFSTR("AXMainWindowChanged")
#define kAXFocusedWindowChangedNotification CFSTR("AXFocusedWindowChanged")
#define kAXFocusedUIElementChangedNotification CFSTR("AXFocusedUIElementChanged")
#define kAXApplicationActivatedNotification CFSTR("AXApplicationActivated")
#define kAXApplicationDeactivatedNotification CFSTR("AXApplicationDeactivated")
#define kAXApplicationHiddenNotification CFSTR("AXApplicationHidden")
#define kAXApplicationShownNotification CFSTR("AXApplicationShown")
#define kAXWindowCreatedNotification CFSTR("AXWindowCreated")
#define kAXWindowMiniaturizedNotification CFSTR("AXWindowMiniaturized")
#define kAXWindowDeminiaturizedNotification CFSTR("AXWindowDeminiaturized")
#define kAXValueChangedNotification CFSTR("AXValueChanged")
#define kAXUIElementDestroyedNotification CFSTR("AXUIElementDestroyed")
#define kAXSelectedChildrenChangedNotification CFSTR("AXSelectedChildrenChanged")
#define kAXResizedNotification CFSTR("AXResized")
#define kAXMovedNotification CFSTR("AXMoved")
#define kAXTitleChangedNotification CFSTR("AXTitleChanged")
#define kAXLayoutChangedNotification CFSTR("AXLayoutChanged")

#ifdef __cplusplus
}
#endif
