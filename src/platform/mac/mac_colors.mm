// Implements: the system blue, green and purple read from NSColor at the time
// of the call (in the current appearance) and converted to sRGB; conversion
// of any NSColor to sRGB (nil for a pattern or another colour without an sRGB
// form); NSKeyedArchiver/NSKeyedUnarchiver of NSColor with secure coding.
// Ignores: colour lists, catalogue names and the colour space a colour was
// made in (everything leaves as sRGB).
#include "platform/mac/mac_colors.h"

namespace lumetta::mac {

namespace {

std::optional<Color> srgb(NSColor* color) {
  NSColor* converted = [color colorUsingColorSpace:[NSColorSpace sRGBColorSpace]];
  if (!converted) return std::nullopt;
  CGFloat red = 0, green = 0, blue = 0, alpha = 0;
  [converted getRed:&red green:&green blue:&blue alpha:&alpha];
  return Color{red, green, blue, alpha};
}

class MacColorImpl final : public PlatformColorImpl {
 public:
  explicit MacColorImpl(NSColor* color) : color_(color) {}
  std::optional<Color> srgb() const override {
    @autoreleasepool {
      return mac::srgb(color_);
    }
  }

 private:
  NSColor* color_;
};

// A system colour always has an sRGB form; should the system ever answer
// without one, the colour the system documents stands in.
Color systemColor(NSColor* color, Color documented) {
  @autoreleasepool {
    return srgb(color).value_or(documented);
  }
}

}  // namespace

PlatformColor platformColor(NSColor* color) {
  return PlatformColor(std::make_shared<MacColorImpl>(color));
}

NSColor* nsColor(const Color& color) {
  return [NSColor colorWithSRGBRed:color.red green:color.green blue:color.blue alpha:color.alpha];
}

Color MacColors::systemBlue() {
  return systemColor([NSColor systemBlueColor], Color::systemBlue());
}

Color MacColors::systemGreen() {
  return systemColor([NSColor systemGreenColor], Color::systemGreen());
}

Color MacColors::systemPurple() {
  return systemColor([NSColor systemPurpleColor], Color::systemPurple());
}

std::optional<Data> MacColors::archive(const Color& color) {
  @autoreleasepool {
    NSError* error = nil;
    NSData* data = [NSKeyedArchiver archivedDataWithRootObject:nsColor(color)
                                         requiringSecureCoding:YES
                                                         error:&error];
    if (!data) return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(data.bytes);
    return Data(bytes, bytes + data.length);
  }
}

std::optional<PlatformColor> MacColors::unarchive(const Data& data) {
  @autoreleasepool {
    NSError* error = nil;
    NSColor* color = [NSKeyedUnarchiver unarchivedObjectOfClass:[NSColor class]
                                                       fromData:[NSData dataWithBytes:data.data()
                                                                               length:data.size()]
                                                          error:&error];
    if (!color) return std::nullopt;
    return platformColor(color);
  }
}

}  // namespace lumetta::mac
