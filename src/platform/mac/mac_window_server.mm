#include "platform/mac/mac_window_server.h"

#import <AppKit/AppKit.h>
#import <CoreGraphics/CoreGraphics.h>

#include <algorithm>

#include "platform/mac/cf_number.h"
#include "platform/mac/cf_ref.h"
#include "platform/mac/cf_string.h"

namespace lumetta::mac {

namespace {

// Property-list values as they come; anything the raw form cannot hold (data,
// dates, a dictionary with a key that is not text) becomes the empty value,
// which geometry/ treats as malformed.
RawValue rawValueOf(CFTypeRef value) {
  const CFTypeID type = CFGetTypeID(value);
  if (type == CFBooleanGetTypeID()) {
    return {CFBooleanGetValue(static_cast<CFBooleanRef>(value)) != 0};
  }
  if (type == CFNumberGetTypeID()) {
    return std::visit([](auto number) { return RawValue{number}; },
                      numberOf(static_cast<CFNumberRef>(value)));
  }
  if (type == CFStringGetTypeID()) return {utf8(static_cast<CFStringRef>(value))};
  if (type == CFArrayGetTypeID()) {
    RawArray array;
    for (id member in (__bridge NSArray*)value) {
      array.push_back(rawValueOf((__bridge CFTypeRef)member));
    }
    return {std::move(array)};
  }
  if (type == CFDictionaryGetTypeID()) {
    NSDictionary* dictionary = (__bridge NSDictionary*)value;
    RawDictionary entries;
    for (id key in dictionary) {
      if (CFGetTypeID((__bridge CFTypeRef)key) != CFStringGetTypeID()) return {};
      entries.push_back({utf8((NSString*)key), rawValueOf((__bridge CFTypeRef)dictionary[key])});
    }
    return {std::move(entries)};
  }
  return {};
}

// NSScreen's frames are in AppKit's screen coordinates already.
ScreenRect screenRectOf(NSRect frame) {
  return {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height};
}

}  // namespace

std::optional<RawValue> MacWindowServer::copyWindowList() {
  @autoreleasepool {
    const auto list = CFRef<CFArrayRef>::adopt(CGWindowListCopyWindowInfo(
        kCGWindowListOptionOnScreenOnly | kCGWindowListExcludeDesktopElements, kCGNullWindowID));
    if (!list) return std::nullopt;
    return rawValueOf(list.get());
  }
}

std::optional<std::vector<DisplayID>> MacWindowServer::onlineDisplays() {
  std::uint32_t count = 0;
  if (CGGetOnlineDisplayList(0, nullptr, &count) != kCGErrorSuccess) return std::nullopt;
  std::vector<DisplayID> displays(count);
  if (CGGetOnlineDisplayList(count, displays.data(), &count) != kCGErrorSuccess) {
    return std::nullopt;
  }
  displays.resize(std::min<std::size_t>(count, displays.size()));
  return displays;
}

bool MacWindowServer::displayIsAsleep(DisplayID display) { return CGDisplayIsAsleep(display) != 0; }

std::optional<RawValue> MacWindowServer::copySessionDictionary() {
  @autoreleasepool {
    const auto session = CFRef<CFDictionaryRef>::adopt(CGSessionCopyCurrentDictionary());
    if (!session) return std::nullopt;
    return rawValueOf(session.get());
  }
}

std::int64_t MacWindowServer::windowNumberAtPoint(ScreenPoint point) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    return [NSWindow windowNumberAtPoint:NSMakePoint(point.x, point.y)
             belowWindowWithWindowNumber:0];
  }
}

std::vector<ScreenRect> MacWindowServer::screenFrames() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    std::vector<ScreenRect> frames;
    for (NSScreen* screen in [NSScreen screens]) frames.push_back(screenRectOf(screen.frame));
    return frames;
  }
}

}  // namespace lumetta::mac
