// Colours as the platform holds them: the system colours, conversion to sRGB
// and archiving with secure coding.
#pragma once

#include <memory>
#include <optional>

#include "platform/color.h"
#include "platform/data.h"

namespace lumetta {

// Implemented by each backend.
class PlatformColorImpl {
 public:
  virtual ~PlatformColorImpl() = default;
  virtual std::optional<Color> srgb() const = 0;
};

// A colour in whatever colour space it was made in. Some (a pattern, say)
// have no sRGB form.
class PlatformColor {
 public:
  explicit PlatformColor(std::shared_ptr<const PlatformColorImpl> impl) : impl_(std::move(impl)) {}
  // The colour converted to sRGB, or nothing when it cannot be.
  std::optional<Color> srgb() const { return impl_->srgb(); }

 private:
  std::shared_ptr<const PlatformColorImpl> impl_;
};

class Colors {
 public:
  virtual ~Colors() = default;
  // The named system colours, read at run time, in sRGB.
  virtual Color systemBlue() = 0;
  virtual Color systemGreen() = 0;
  virtual Color systemPurple() = 0;
  // A keyed archive with secure coding whose root object is the colour;
  // nothing when archiving fails.
  virtual std::optional<Data> archive(const Color& color) = 0;
  // The colour archived in `data`; nothing when the data holds no colour.
  virtual std::optional<PlatformColor> unarchive(const Data& data) = 0;
};

}  // namespace lumetta
