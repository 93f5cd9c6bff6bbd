#include "platform/mac/mac_accessibility.h"

#import <ApplicationServices/ApplicationServices.h>
#import <Foundation/Foundation.h>

#include "platform/mac/ax_value.h"
#include "platform/mac/cf_string.h"
#include "platform/mac/mac_element.h"

namespace lumetta::mac {

namespace {

ReadResult resultOf(::AXError error, CFTypeRef value, float timeout) {
  if (error != kAXErrorSuccess) return {std::nullopt, error};
  if (!value) return {std::nullopt, axerr::success};
  return {valueOf(value, timeout), axerr::success};
}

// One member of a batched answer, as a single read of that attribute gives
// it: the system reports a failed attribute as a boxed error, and an attribute
// without a value as the null object (an array cannot hold nothing), which a
// single read reports as kAXErrorNoValue.
ReadResult batchedResult(CFTypeRef answer, float timeout) {
  if (CFGetTypeID(answer) == AXValueGetTypeID() &&
      AXValueGetType(static_cast<AXValueRef>(answer)) == kAXValueTypeAXError) {
    ::AXError error = kAXErrorFailure;
    AXValueGetValue(static_cast<AXValueRef>(answer), kAXValueTypeAXError, &error);
    return {std::nullopt, error};
  }
  if (CFGetTypeID(answer) == CFNullGetTypeID()) return {std::nullopt, axerr::noValue};
  return {valueOf(answer, timeout), axerr::success};
}

}  // namespace

bool MacAccessibility::isProcessTrusted() { return AXIsProcessTrusted(); }

bool MacAccessibility::isProcessTrustedWithPrompt() {
  @autoreleasepool {
    NSDictionary* options = @{(__bridge NSString*)kAXTrustedCheckOptionPrompt : @YES};
    return AXIsProcessTrustedWithOptions((__bridge CFDictionaryRef)options);
  }
}

Element MacAccessibility::applicationElement(Pid pid) {
  return elementFor(CFRef<AXUIElementRef>::adopt(AXUIElementCreateApplication(pid)), 0);
}

AXError MacAccessibility::setMessagingTimeout(const Element& element, Duration timeout) {
  const MacElement& handle = macElement(element);
  const auto seconds = static_cast<float>(timeout.inSeconds());
  const ::AXError error = AXUIElementSetMessagingTimeout(handle.ref(), seconds);
  if (error == kAXErrorSuccess) handle.setTimeout(seconds);
  return error;
}

ReadResult MacAccessibility::copyAttributeValue(const Element& element,
                                                std::string_view attribute) {
  @autoreleasepool {
    const MacElement& handle = macElement(element);
    CFRef<CFTypeRef> value;
    const ::AXError error = AXUIElementCopyAttributeValue(
        handle.ref(), (__bridge CFStringRef)nsString(attribute), value.out());
    return resultOf(error, value.get(), handle.timeout());
  }
}

std::vector<ReadResult> MacAccessibility::copyAttributeValues(
    const Element& element, std::span<const std::string_view> attributes) {
  @autoreleasepool {
    const MacElement& handle = macElement(element);
    NSMutableArray* names = [NSMutableArray arrayWithCapacity:attributes.size()];
    for (std::string_view attribute : attributes) [names addObject:nsString(attribute)];
    CFRef<CFArrayRef> answers;
    const ::AXError error = AXUIElementCopyMultipleAttributeValues(
        handle.ref(), (__bridge CFArrayRef)names, 0, answers.out());

    std::vector<ReadResult> results(attributes.size());
    NSArray* members = (__bridge NSArray*)answers.get();
    for (std::size_t i = 0; i < results.size(); ++i) {
      if (error != kAXErrorSuccess) {
        results[i].error = error;  // the whole request failed
      } else if (i < members.count) {
        results[i] = batchedResult((__bridge CFTypeRef)members[i], handle.timeout());
      } else {
        results[i].error = axerr::failure;  // an answer the system left out
      }
    }
    return results;
  }
}

ReadResult MacAccessibility::copyAttributeNames(const Element& element) {
  @autoreleasepool {
    const MacElement& handle = macElement(element);
    CFRef<CFArrayRef> names;
    const ::AXError error = AXUIElementCopyAttributeNames(handle.ref(), names.out());
    return resultOf(error, names.get(), handle.timeout());
  }
}

AXError MacAccessibility::setAttributeValue(const Element& element, std::string_view attribute,
                                            bool value) {
  @autoreleasepool {
    return AXUIElementSetAttributeValue(macElement(element).ref(),
                                        (__bridge CFStringRef)nsString(attribute),
                                        value ? kCFBooleanTrue : kCFBooleanFalse);
  }
}

}  // namespace lumetta::mac
