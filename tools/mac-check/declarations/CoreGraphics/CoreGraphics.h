// Core Graphics, as far as the macOS backend uses it (see mac_check_availability.h):
// geometry, drawing, the window list, displays and the session.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <CoreFoundation/CoreFoundation.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef double CGFloat;

struct CGPoint {
  CGFloat x;
  CGFloat y;
};
typedef struct CGPoint CGPoint;

struct CGSize {
  CGFloat width;
  CGFloat height;
};
typedef struct CGSize CGSize;

struct CGRect {
  CGPoint origin;
  CGSize size;
};
typedef struct CGRect CGRect;

struct CGAffineTransform {
  CGFloat a, b, c, d;
  CGFloat tx, ty;
};
typedef struct CGAffineTransform CGAffineTransform;

static inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
  CGRect rect = {{x, y}, {width, height}};
  return rect;
}
CGRect CGRectStandardize(CGRect rect) MACOS_SINCE(10.0);

// The same spellings as GNUstep's AppKit uses for these two.
typedef struct CGContext* CGContextRef;
typedef struct CGColor* CGColorRef;
typedef const struct __attribute__((objc_bridge(id))) CGPath* CGPathRef;

void CGContextSaveGState(CGContextRef c) MACOS_SINCE(10.0);
void CGContextRestoreGState(CGContextRef c) MACOS_SINCE(10.0);
void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy) MACOS_SINCE(10.0);
void CGContextClearRect(CGContextRef c, CGRect rect) MACOS_SINCE(10.0);
void CGContextClipToRects(CGContextRef c, const CGRect* rects, size_t count) MACOS_SINCE(10.0);
void CGContextAddPath(CGContextRef c, CGPathRef path) MACOS_SINCE(10.2);
void CGContextClip(CGContextRef c) MACOS_SINCE(10.0);
void CGContextSetLineWidth(CGContextRef c, CGFloat width) MACOS_SINCE(10.0);
void CGContextSetStrokeColorWithColor(CGContextRef c, CGColorRef color) MACOS_SINCE(10.3);
void CGContextSetFillColorWithColor(CGContextRef c, CGColorRef color) MACOS_SINCE(10.3);
void CGContextStrokePath(CGContextRef c) MACOS_SINCE(10.0);
void CGContextFillRect(CGContextRef c, CGRect rect) MACOS_SINCE(10.0);

CGPathRef CGPathCreateWithRoundedRect(CGRect rect, CGFloat cornerWidth, CGFloat cornerHeight,
                                      const CGAffineTransform* transform) MACOS_SINCE(10.9);
CGColorRef CGColorCreateSRGB(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
    MACOS_SINCE(10.15);

typedef uint32_t CGWindowID;
static const CGWindowID kCGNullWindowID = 0;
// An options type: a plain integer in C++, as the SDK declares options there.
typedef uint32_t CGWindowListOption;
enum : uint32_t {
  kCGWindowListOptionOnScreenOnly = 1 << 0,
  kCGWindowListExcludeDesktopElements = 1 << 4,
};
CFArrayRef CGWindowListCopyWindowInfo(CGWindowListOption option, CGWindowID relativeToWindow)
    MACOS_SINCE(10.5);

typedef int32_t CGError;
static const CGError kCGErrorSuccess = 0;
typedef uint32_t CGDirectDisplayID;
typedef unsigned int boolean_t;  // x86_64
CGError CGGetOnlineDisplayList(uint32_t maxDisplays, CGDirectDisplayID* onlineDisplays,
                               uint32_t* displayCount) MACOS_SINCE(10.2);
boolean_t CGDisplayIsAsleep(CGDirectDisplayID display) MACOS_SINCE(10.2);

CFDictionaryRef CGSessionCopyCurrentDictionary(void) MACOS_SINCE(10.3);

#ifdef __cplusplus
}
#endif
