// Colours over NSColor: the system colours, sRGB conversion and keyed
// archiving with secure coding.
#pragma once

#import <AppKit/AppKit.h>

#include "platform/colors.h"

namespace lumetta::mac {

// The seam's handle on an NSColor, and the other way round.
PlatformColor platformColor(NSColor* color);
NSColor* nsColor(const Color& color);

class MacColors final : public Colors {
 public:
  Color systemBlue() override;
  Color systemGreen() override;
  Color systemPurple() override;
  std::optional<Data> archive(const Color& color) override;
  std::optional<PlatformColor> unarchive(const Data& data) override;
};

}  // namespace lumetta::mac
