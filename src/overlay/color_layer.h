// The overlay's drawing: a colour layer that marks a window's mode with a
// filled top bar or a stroked border, clipped to the parts of the window no
// other window covers and to the window's rounded outline.
#pragma once

#include <functional>
#include <vector>

#include "overlay/appearance.h"
#include "platform/panels.h"

namespace lumetta {

class ColorLayer final : public PanelContent {
 public:
  const Color& color() const { return color_; }
  OverlayStyle style() const { return style_; }
  double barHeight() const { return barHeight_; }
  const std::vector<Rect>& visibleRegions() const { return visibleRegions_; }

  // Each setter asks for a redraw only when the value changes.
  void setColor(Color color);
  void setStyle(OverlayStyle style);
  void setStrength(double strength);
  void setBorderWidth(double width);
  void setBarHeight(double height);
  void setVisibleRegions(std::vector<Rect> regions);

  // Redraws the whole bounds, whatever is dirty.
  void draw(Canvas& canvas, Size bounds) override;

  // A redraw was asked for since the last draw.
  bool needsDisplay() const { return needsDisplay_; }
  void setNeedsDisplay();
  // Where redraw requests go, besides the flag (the hosting panel).
  void onNeedsDisplay(std::function<void()> handler) { onNeedsDisplay_ = std::move(handler); }

 private:
  static constexpr double windowCornerRadius = 16;

  template <class T>
  void assign(T& field, T value);

  Color color_ = Color::systemGreen();
  OverlayStyle style_ = OverlayStyle::topBar;
  double strength_ = 0.08;
  double borderWidth_ = 6;
  double barHeight_ = 40;
  std::vector<Rect> visibleRegions_;
  bool needsDisplay_ = false;
  std::function<void()> onNeedsDisplay_;
};

}  // namespace lumetta
