// GNUstep's AppKit, and the members of Apple's AppKit the macOS backend uses
// that GNUstep does not declare (see mac_check_availability.h).
#pragma once

#include_next <AppKit/AppKit.h>
#import <Foundation/Foundation.h>

#include <CoreGraphics/CoreGraphics.h>

@interface NSWindow (MacCheckDeclarations)
- (instancetype)animator MACOS_SINCE(10.5);
@end

typedef unsigned long long NSEventMask;
static const NSEventMask NSEventMaskAny = NSUIntegerMax;  // MACOS_SINCE(10.12)

@interface NSApplication (MacCheckDeclarations)
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)activationPolicy MACOS_SINCE(10.6);
// Used by no backend file: mac-check's canary shows that this macOS 14 API,
// called without an availability check, fails the check.
- (void)activate MACOS_SINCE(14.0);
@end

@interface NSColorSpace (MacCheckDeclarations)
+ (NSColorSpace*)sRGBColorSpace MACOS_SINCE(10.5);
@end

extern "C" {
extern NSString* const NSWorkspaceApplicationKey MACOS_SINCE(10.6);
extern NSString* const NSWorkspaceActiveSpaceDidChangeNotification MACOS_SINCE(10.6);
extern NSString* const NSWorkspaceScreensDidSleepNotification MACOS_SINCE(10.6);
extern NSString* const NSWorkspaceScreensDidWakeNotification MACOS_SINCE(10.6);
}
