// Core Foundation, as far as the macOS backend uses it (see mac_check_availability.h).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "../mac_check_availability.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef const void* CFTypeRef;
typedef unsigned long CFTypeID;
typedef signed long CFIndex;
typedef unsigned long CFHashCode;
typedef unsigned char Boolean;
typedef unsigned int UInt32;
typedef signed int SInt32;
typedef double CFTimeInterval;

typedef struct {
  CFIndex location;
  CFIndex length;
} CFRange;

// Toll-free bridged types name their Foundation class, so that bridging casts
// to the wrong class are diagnosed.
typedef const struct __attribute__((objc_bridge(NSString))) __CFString* CFStringRef;
typedef const struct __attribute__((objc_bridge(NSArray))) __CFArray* CFArrayRef;
typedef const struct __attribute__((objc_bridge(NSDictionary))) __CFDictionary* CFDictionaryRef;
typedef const struct __attribute__((objc_bridge(NSNumber))) __CFNumber* CFNumberRef;
typedef const struct __attribute__((objc_bridge(NSNumber))) __CFBoolean* CFBooleanRef;
typedef struct __attribute__((objc_bridge_mutable(id))) __CFRunLoop* CFRunLoopRef;
typedef struct __attribute__((objc_bridge_mutable(id))) __CFRunLoopSource* CFRunLoopSourceRef;
typedef CFStringRef CFRunLoopMode;

void CFRelease(CFTypeRef cf) MACOS_SINCE(10.0);
CFTypeRef CFRetain(CFTypeRef cf) MACOS_SINCE(10.0);
Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2) MACOS_SINCE(10.0);
CFHashCode CFHash(CFTypeRef cf) MACOS_SINCE(10.0);
CFTypeID CFGetTypeID(CFTypeRef cf) MACOS_SINCE(10.0);
CFStringRef CFCopyDescription(CFTypeRef cf) MACOS_SINCE(10.0);

CFTypeID CFStringGetTypeID(void) MACOS_SINCE(10.0);
// A constant string from a literal, as CFString.h makes one with clang.
#define CFSTR(cStr) ((CFStringRef)__builtin___CFStringMakeConstantString("" cStr ""))
CFTypeID CFArrayGetTypeID(void) MACOS_SINCE(10.0);
CFTypeID CFDictionaryGetTypeID(void) MACOS_SINCE(10.0);
CFTypeID CFURLGetTypeID(void) MACOS_SINCE(10.0);

typedef enum : CFIndex {
  kCFNumberSInt64Type = 4,
  kCFNumberDoubleType = 13,
} CFNumberType;
CFTypeID CFNumberGetTypeID(void) MACOS_SINCE(10.0);
Boolean CFNumberIsFloatType(CFNumberRef number) MACOS_SINCE(10.0);
Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr)
    MACOS_SINCE(10.0);

CFTypeID CFBooleanGetTypeID(void) MACOS_SINCE(10.0);
Boolean CFBooleanGetValue(CFBooleanRef boolean) MACOS_SINCE(10.0);
extern const CFBooleanRef kCFBooleanTrue MACOS_SINCE(10.0);
extern const CFBooleanRef kCFBooleanFalse MACOS_SINCE(10.0);

CFTypeID CFNullGetTypeID(void) MACOS_SINCE(10.2);

typedef enum : SInt32 {
  kCFRunLoopRunFinished = 1,
  kCFRunLoopRunStopped = 2,
  kCFRunLoopRunTimedOut = 3,
  kCFRunLoopRunHandledSource = 4,
} CFRunLoopRunResult;
extern const CFRunLoopMode kCFRunLoopDefaultMode MACOS_SINCE(10.0);
extern const CFRunLoopMode kCFRunLoopCommonModes MACOS_SINCE(10.0);
CFRunLoopRef CFRunLoopGetMain(void) MACOS_SINCE(10.5);
void CFRunLoopAddSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFRunLoopMode mode)
    MACOS_SINCE(10.0);
void CFRunLoopRemoveSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFRunLoopMode mode)
    MACOS_SINCE(10.0);
CFRunLoopRunResult CFRunLoopRunInMode(CFRunLoopMode mode, CFTimeInterval seconds,
                                      Boolean returnAfterSourceHandled) MACOS_SINCE(10.0);

#ifdef __cplusplus
}
#endif
