// Implements: the process identifier and the operating system's version
// string from NSProcessInfo; the main bundle's path and its
// "CFBundleShortVersionString" when that is text. Ignores: the bundle version,
// the localised info dictionary.
#include "platform/mac/mac_application_info.h"

#import <Foundation/Foundation.h>

#include "platform/mac/cf_string.h"

namespace lumetta::mac {

Pid MacApplicationInfo::processId() {
  @autoreleasepool {
    return [NSProcessInfo processInfo].processIdentifier;
  }
}

std::string MacApplicationInfo::bundlePath() {
  @autoreleasepool {
    return utf8([NSBundle mainBundle].bundlePath);
  }
}

std::optional<std::string> MacApplicationInfo::shortVersion() {
  @autoreleasepool {
    id version = [[NSBundle mainBundle] objectForInfoDictionaryKey:@"CFBundleShortVersionString"];
    if (![version isKindOfClass:[NSString class]]) return std::nullopt;
    return utf8((NSString*)version);
  }
}

std::string MacApplicationInfo::systemVersion() {
  @autoreleasepool {
    return utf8([NSProcessInfo processInfo].operatingSystemVersionString);
  }
}

}  // namespace lumetta::mac
