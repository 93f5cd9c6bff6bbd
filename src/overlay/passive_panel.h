// The click-through panel that hosts a window's colour layer: borderless,
// non-activating, floating, on every Space, out of window cycling.
#pragma once

#include <memory>

#include "overlay/color_layer.h"
#include "platform/panels.h"

namespace lumetta {

class PassivePanel {
 public:
  PassivePanel(std::unique_ptr<ColorLayer> layer, Panels& panels,
               const PanelConfiguration& configuration);

  ColorLayer& layer() { return *layer_; }
  Panel& window() { return *panel_; }
  const Panel& window() const { return *panel_; }

 private:
  std::unique_ptr<ColorLayer> layer_;  // outlives the panel that draws it
  std::unique_ptr<Panel> panel_;
};

// Floating above the windows on every Space and over full-screen windows,
// out of window cycling, click-through, never focused, transparent, shadowless.
PanelConfiguration passivePanelConfiguration();
// Not shown yet: the caller sets the frame and orders it front.
std::unique_ptr<PassivePanel> makePassivePanel(Panels& panels);

}  // namespace lumetta
