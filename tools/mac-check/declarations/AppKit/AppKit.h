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

@interface NSPasteboard (MacCheckDeclarations)
- (NSInteger)clearContents MACOS_SINCE(10.6);
@end

@interface NSWorkspace (MacCheckDeclarations)
- (void)activateFileViewerSelectingURLs:(NSArray<NSURL*>*)fileURLs MACOS_SINCE(10.6);
@end

@interface NSStatusItem (MacCheckDeclarations)
@property(readonly, strong) NSButton* button MACOS_SINCE(10.10);
@end

@interface NSImage (MacCheckDeclarations)
+ (instancetype)imageWithSystemSymbolName:(NSString*)name
                 accessibilityDescription:(NSString*)description MACOS_SINCE(11.0);
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
