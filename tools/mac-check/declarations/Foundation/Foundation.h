// GNUstep's Foundation, and the members of Apple's Foundation the macOS backend
// uses that GNUstep does not declare (see mac_check_availability.h).
#pragma once

#include_next <Foundation/Foundation.h>

#include <CoreFoundation/CoreFoundation.h>

#include "../mac_check_availability.h"

@interface NSTimer (MacCheckDeclarations)
@property NSTimeInterval tolerance MACOS_SINCE(10.9);
@end

@interface NSKeyedUnarchiver (MacCheckDeclarations)
+ (id)unarchivedObjectOfClass:(Class)cls
                     fromData:(NSData*)data
                        error:(NSError**)error MACOS_SINCE(10.13);
@end

#if __MAC_OS_X_VERSION_MAX_ALLOWED >= 140000
@interface NSURL (MacCheckDeclarations)
+ (instancetype)URLWithString:(NSString*)string
    encodingInvalidCharacters:(BOOL)encodingInvalidCharacters MACOS_SINCE(14.0);
@end
#endif

extern "C" {
CFTypeRef CFBridgingRetain(id object) MACOS_SINCE(10.7);
}
