#include "overlay/color_layer.h"

#include <algorithm>

namespace lumetta {

template <class T>
void ColorLayer::assign(T& field, T value) {
  if (field == value) return;
  field = std::move(value);
  setNeedsDisplay();
}

void ColorLayer::setColor(Color color) { assign(color_, color); }
void ColorLayer::setStyle(OverlayStyle style) { assign(style_, style); }
void ColorLayer::setStrength(double strength) { assign(strength_, strength); }
void ColorLayer::setBorderWidth(double width) { assign(borderWidth_, width); }
void ColorLayer::setBarHeight(double height) { assign(barHeight_, height); }
void ColorLayer::setVisibleRegions(std::vector<Rect> regions) {
  assign(visibleRegions_, std::move(regions));
}

void ColorLayer::setNeedsDisplay() {
  needsDisplay_ = true;
  if (onNeedsDisplay_) onNeedsDisplay_();
}

void ColorLayer::draw(Canvas& canvas, Size size) {
  needsDisplay_ = false;
  const Rect bounds{0, 0, size.width, size.height};
  canvas.clear(bounds);
  if (visibleRegions_.empty()) return;

  canvas.save();
  canvas.clipToRects(visibleRegions_);
  canvas.clipToRoundedRect(bounds, windowCornerRadius, windowCornerRadius);
  if (style_ == OverlayStyle::border) {
    // The stroke's outer edge lies on the bounds and follows the window's corner.
    const double inset = borderWidth_ * 0.5;
    const double radius = std::max(windowCornerRadius - inset, 0.0);
    const Rect path{inset, inset, bounds.width - 2 * inset, bounds.height - 2 * inset};
    canvas.strokeRoundedRect(path, radius, radius, color_, borderWidth_);
  } else {
    // Not flipped: the band along the top edge starts at height - barHeight.
    canvas.fillRect({0, std::max(bounds.height - barHeight_, 0.0), bounds.width,
                     std::min(bounds.height, barHeight_)},
                    color_.withAlpha(strength_));
  }
  canvas.restore();
}

}  // namespace lumetta
