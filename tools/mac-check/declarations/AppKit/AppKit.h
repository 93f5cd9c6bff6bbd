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
static const NSEventMask NSEventMaskAny = NSUIntegerMax;              // MACOS_SINCE(10.12)
static const NSEventType NSEventTypeLeftMouseDown = NSLeftMouseDown;  // MACOS_SINCE(10.12)

@interface NSApplication (MacCheckDeclarations)
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)activationPolicy MACOS_SINCE(10.6);
#if __MAC_OS_X_VERSION_MAX_ALLOWED >= 140000
- (void)activate MACOS_SINCE(14.0);
#endif
@end

@interface NSPasteboard (MacCheckDeclarations)
- (NSInteger)clearContents MACOS_SINCE(10.6);
@end

@interface NSWorkspace (MacCheckDeclarations)
- (void)activateFileViewerSelectingURLs:(NSArray<NSURL*>*)fileURLs MACOS_SINCE(10.6);
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

// The menu-bar extra: the status item, its popover and the controls inside.

@interface NSStatusItem (MacCheckDeclarations)
@property(readonly, strong) NSStatusBarButton* button MACOS_SINCE(10.10);
@end

@interface NSImage (MacCheckDeclarations)
+ (instancetype)imageWithSystemSymbolName:(NSString*)name
                 accessibilityDescription:(NSString*)description MACOS_SINCE(11.0);
+ (instancetype)imageWithSize:(NSSize)size
                      flipped:(BOOL)drawingHandlerShouldBeCalledWithFlippedContext
               drawingHandler:(BOOL (^)(NSRect dstRect))drawingHandler MACOS_SINCE(10.8);
// Methods, not a property: `template` is a keyword in Objective-C++.
- (void)setTemplate:(BOOL)isTemplate MACOS_SINCE(10.5);
- (BOOL)isTemplate MACOS_SINCE(10.5);
@end

typedef NSString* NSFontTextStyle;
typedef NSString* NSFontTextStyleOptionKey;
extern "C" {
extern NSFontTextStyle const NSFontTextStyleHeadline MACOS_SINCE(11.0);
extern NSFontTextStyle const NSFontTextStyleCaption1 MACOS_SINCE(11.0);
extern const CGFloat NSViewNoIntrinsicMetric MACOS_SINCE(10.11);
}

@interface NSFont (MacCheckDeclarations)
+ (NSFont*)preferredFontForTextStyle:(NSFontTextStyle)style
                             options:(NSDictionary<NSFontTextStyleOptionKey, id>*)options
    MACOS_SINCE(11.0);
+ (NSFont*)systemFontOfSize:(CGFloat)fontSize weight:(NSFontWeight)weight MACOS_SINCE(10.11);
+ (NSFont*)monospacedDigitSystemFontOfSize:(CGFloat)fontSize
                                    weight:(NSFontWeight)weight MACOS_SINCE(10.11);
+ (NSFont*)monospacedSystemFontOfSize:(CGFloat)fontSize
                               weight:(NSFontWeight)weight MACOS_SINCE(10.15);
@end

@interface NSColor (MacCheckDeclarations)
+ (NSColor*)controlAccentColor MACOS_SINCE(10.14);
@end

// The names AppKit gave these values in macOS 10.12; GNUstep has the older ones.
static const NSBezelStyle NSBezelStyleRounded = NSRoundedBezelStyle;
static const NSBezelStyle NSBezelStyleDisclosure = NSDisclosureBezelStyle;
static const NSButtonType NSButtonTypePushOnPushOff = NSPushOnPushOffButton;
static const NSCellImagePosition NSImageLeading = 7;  // MACOS_SINCE(10.12)

@interface NSView (MacCheckDeclarations)
@property(readonly) NSSize intrinsicContentSize MACOS_SINCE(10.7);
@property(getter=isAccessibilityElement) BOOL accessibilityElement MACOS_SINCE(10.10);
@property(copy) NSString* accessibilityLabel MACOS_SINCE(10.10);
@property(getter=isAccessibilitySelected) BOOL accessibilitySelected MACOS_SINCE(10.10);
@end

@interface NSControl (MacCheckDeclarations)
@property NSLineBreakMode lineBreakMode MACOS_SINCE(10.10);
@property(getter=isHighlighted) BOOL highlighted MACOS_SINCE(10.10);
@end

@interface NSTextField (MacCheckDeclarations)
+ (instancetype)labelWithString:(NSString*)stringValue MACOS_SINCE(10.12);
@property CGFloat preferredMaxLayoutWidth MACOS_SINCE(10.8);
@property NSInteger maximumNumberOfLines MACOS_SINCE(10.11);
@end

@interface NSButton (MacCheckDeclarations)
+ (instancetype)buttonWithTitle:(NSString*)title
                         target:(id)target
                         action:(SEL)action MACOS_SINCE(10.12);
+ (instancetype)checkboxWithTitle:(NSString*)title
                           target:(id)target
                           action:(SEL)action MACOS_SINCE(10.12);
@end

@interface NSSlider (MacCheckDeclarations)
+ (instancetype)sliderWithValue:(double)value
                       minValue:(double)minValue
                       maxValue:(double)maxValue
                         target:(id)target
                         action:(SEL)action MACOS_SINCE(10.12);
@end

@interface NSSegmentedControl (MacCheckDeclarations)
@property NSSegmentSwitchTracking trackingMode MACOS_SINCE(10.5);
@end
