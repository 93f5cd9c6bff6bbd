// The version macros of Apple's <AvailabilityMacros.h>, for the Linux type
// check (make mac-check): the oldest macOS the application runs on, from the
// target, and the SDK it is built with, from <Availability.h>.
#pragma once

#include <Availability.h>

#define MAC_OS_X_VERSION_MIN_REQUIRED __MAC_OS_X_VERSION_MIN_REQUIRED
#define MAC_OS_X_VERSION_MAX_ALLOWED __MAC_OS_X_VERSION_MAX_ALLOWED
