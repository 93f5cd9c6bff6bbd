// Declarations of Apple's API for the Linux type check (make mac-check), written
// from Apple's public documentation: only what the macOS backend uses, each with
// the macOS release that introduced it, so that clang's availability checks
// behave as against the real SDK. Never on a Mac's include path.
#pragma once

#define MACOS_SINCE(version) __attribute__((availability(macos, introduced = version)))
