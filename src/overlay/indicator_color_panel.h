// The colour chooser: shows the shared colour panel and passes every colour
// the user picks there that has an sRGB form to `onChange`. The panel keeps
// reporting to the callback set last until the callback is replaced; once this
// object is gone, picks reach nothing. Main thread only.
#pragma once

#include <functional>

#include "platform/color_panel.h"
#include "platform/weak_handle.h"

namespace lumetta {

class IndicatorColorPanel {
 public:
  explicit IndicatorColorPanel(ColorPanel& panel) : panel_(panel) {}
  IndicatorColorPanel(const IndicatorColorPanel&) = delete;
  IndicatorColorPanel& operator=(const IndicatorColorPanel&) = delete;

  std::function<void(const Color&)> onChange;

  // Opens the panel on `color`, with this object as its target.
  void show(const Color& color);
  // The panel's action: its colour converted to sRGB, or nothing done when it
  // cannot be.
  void colorChanged(const PlatformColor& color);

 private:
  ColorPanel& panel_;
  // What the panel's action holds, as a target is held: weakly.
  WeakHandleFactory<IndicatorColorPanel> weak_{this};
};

}  // namespace lumetta
