// Implements: typed reads and writes of [NSUserDefaults standardUserDefaults]
// (truth values and numbers as NSNumber, data as NSData), presence by
// objectForKey:. Ignores: other domains and suites, registered defaults
// beyond what objectForKey: returns, key-value observation, synchronisation
// (the system writes the defaults out on its own).
#include "platform/mac/mac_user_defaults.h"

#import <Foundation/Foundation.h>

#include "platform/mac/cf_string.h"

namespace lumetta::mac {

namespace {

id objectFor(std::string_view key) {
  return [[NSUserDefaults standardUserDefaults] objectForKey:nsString(key)];
}

// A number object that is not a truth value (kCFBooleanTrue and False are NSNumbers too).
bool isBoolean(NSNumber* number) {
  return CFGetTypeID((__bridge CFTypeRef)number) == CFBooleanGetTypeID();
}

}  // namespace

bool MacUserDefaults::hasObject(std::string_view key) {
  @autoreleasepool {
    return objectFor(key) != nil;
  }
}

std::optional<bool> MacUserDefaults::boolValue(std::string_view key) {
  @autoreleasepool {
    id object = objectFor(key);
    if (![object isKindOfClass:[NSNumber class]]) return std::nullopt;
    return static_cast<bool>([(NSNumber*)object boolValue]);
  }
}

std::optional<double> MacUserDefaults::doubleValue(std::string_view key) {
  @autoreleasepool {
    id object = objectFor(key);
    if (![object isKindOfClass:[NSNumber class]] || isBoolean(object)) return std::nullopt;
    return [(NSNumber*)object doubleValue];
  }
}

std::optional<Data> MacUserDefaults::dataValue(std::string_view key) {
  @autoreleasepool {
    id object = objectFor(key);
    if (![object isKindOfClass:[NSData class]]) return std::nullopt;
    NSData* data = object;
    const auto* bytes = static_cast<const std::uint8_t*>(data.bytes);
    return Data(bytes, bytes + data.length);
  }
}

void MacUserDefaults::setBool(std::string_view key, bool value) {
  @autoreleasepool {
    [[NSUserDefaults standardUserDefaults] setBool:value forKey:nsString(key)];
  }
}

void MacUserDefaults::setDouble(std::string_view key, double value) {
  @autoreleasepool {
    [[NSUserDefaults standardUserDefaults] setDouble:value forKey:nsString(key)];
  }
}

void MacUserDefaults::setData(std::string_view key, const Data& value) {
  @autoreleasepool {
    NSData* data = [NSData dataWithBytes:value.data() length:value.size()];
    [[NSUserDefaults standardUserDefaults] setObject:data forKey:nsString(key)];
  }
}

}  // namespace lumetta::mac
