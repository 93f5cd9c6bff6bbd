#include "platform/mac/ax_value.h"

#import <ApplicationServices/ApplicationServices.h>
#import <Foundation/Foundation.h>

#include "platform/mac/cf_number.h"
#include "platform/mac/cf_string.h"
#include "platform/mac/mac_element.h"

namespace lumetta::mac {

namespace {

std::optional<Value> unboxed(AXValueRef value) {
  switch (AXValueGetType(value)) {
    case kAXValueTypeCGPoint:
      if (CGPoint p; AXValueGetValue(value, kAXValueTypeCGPoint, &p)) return Point{p.x, p.y};
      break;
    case kAXValueTypeCGSize:
      if (CGSize s; AXValueGetValue(value, kAXValueTypeCGSize, &s)) return Size{s.width, s.height};
      break;
    case kAXValueTypeCGRect:
      if (CGRect r; AXValueGetValue(value, kAXValueTypeCGRect, &r)) {
        return Rect{r.origin.x, r.origin.y, r.size.width, r.size.height};
      }
      break;
    case kAXValueTypeCFRange:
      if (CFRange r; AXValueGetValue(value, kAXValueTypeCFRange, &r)) {
        return Range{r.location, r.length};
      }
      break;
    default: break;
  }
  return std::nullopt;
}

}  // namespace

Value valueOf(CFTypeRef value, float timeout) {
  const CFTypeID type = CFGetTypeID(value);
  if (type == CFStringGetTypeID()) return utf8(static_cast<CFStringRef>(value));
  if (type == CFBooleanGetTypeID()) return CFBooleanGetValue(static_cast<CFBooleanRef>(value)) != 0;
  if (type == CFNumberGetTypeID()) {
    return std::visit([](auto number) { return Value(number); },
                      numberOf(static_cast<CFNumberRef>(value)));
  }
  if (type == AXUIElementGetTypeID()) {
    return elementFor(CFRef<AXUIElementRef>::retain(static_cast<AXUIElementRef>(value)), timeout);
  }
  if (type == CFArrayGetTypeID()) {
    ValueArray array;
    for (id member in (__bridge NSArray*)value) {
      array.push_back(valueOf((__bridge CFTypeRef)member, timeout));
    }
    return array;
  }
  if (type == AXValueGetTypeID()) {
    if (auto boxed = unboxed(static_cast<AXValueRef>(value))) return *boxed;
  }
  if (type == CFURLGetTypeID()) return Url{utf8([(__bridge NSURL*)value absoluteString])};
  if (type == CFNullGetTypeID()) return Null{};
  return Other{utf8(CFRef<CFStringRef>::adopt(CFCopyDescription(value)).get())};
}

}  // namespace lumetta::mac
