// Declarations of Apple's API for the Linux type check (make mac-check), written
// from Apple's public documentation: only what the macOS backend uses, each with
// the macOS release that introduced it, so that clang's availability checks
// behave as against the real SDK. A declaration introduced after the oldest
// modelled SDK (macOS 13.0) sits inside the guard Apple's headers use,
// `#if __MAC_OS_X_VERSION_MAX_ALLOWED >= 140000`, so that it is absent when the
// check models an SDK older than its release; the check refuses one outside
// such a guard. Never on a Mac's include path.
#pragma once

#include <Availability.h>

#define MACOS_SINCE(version) __attribute__((availability(macos, introduced = version)))
