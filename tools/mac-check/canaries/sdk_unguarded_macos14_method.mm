// expect: no known class method for selector 'URLWithString:encodingInvalidCharacters:'
// @available guards at run time only: a method the macOS 14 SDK introduced,
// called without `#if __MAC_OS_X_VERSION_MAX_ALLOWED >= 140000`, does not
// compile with the oldest supported SDK.
#import <Foundation/Foundation.h>

NSURL* strictURL(NSString* text) {
  if (@available(macOS 14.0, *)) return [NSURL URLWithString:text encodingInvalidCharacters:NO];
  return [NSURL URLWithString:text];
}
