// Implements: the process identifier and the operating system's version
// string from NSProcessInfo; the main bundle's path and its
// "CFBundleShortVersionString" when that is text; a resource's file URL from
// URLForResource:withExtension:. Ignores: the bundle version, the localised
// info dictionary, resources in subfolders.
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

std::optional<std::string> MacApplicationInfo::resourcePath(std::string_view name,
                                                            std::string_view extension) {
  @autoreleasepool {
    // The bundle takes a missing name for "any"; that is no resource here.
    NSString* resource = nsString(name);
    if (resource.length == 0) return std::nullopt;
    NSURL* url = [[NSBundle mainBundle] URLForResource:resource withExtension:nsString(extension)];
    if (!url.isFileURL) return std::nullopt;
    return utf8(url.path);
  }
}

}  // namespace lumetta::mac
