// The version macros of Apple's <Availability.h>, for the Linux type check
// (make mac-check): the deployment target from the target, the SDK from the
// check's pass (MAC_CHECK_SDK: 130000 for the macOS 13.0 SDK). A release's
// constant exists only in the SDKs that know the release, as in Apple's
// headers, so that `#if __MAC_OS_X_VERSION_MAX_ALLOWED >= __MAC_14_0` fails
// against an older SDK instead of holding.
#pragma once

#ifndef MAC_CHECK_SDK
#error "mac-check: MAC_CHECK_SDK names the SDK the check models"
#endif

#define __MAC_OS_X_VERSION_MIN_REQUIRED __ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__
#define __MAC_OS_X_VERSION_MAX_ALLOWED MAC_CHECK_SDK

#define __MAC_13_0 130000
#if MAC_CHECK_SDK >= 140000
#define __MAC_14_0 140000
#endif
#if MAC_CHECK_SDK >= 150000
#define __MAC_15_0 150000
#endif
