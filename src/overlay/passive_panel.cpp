#include "overlay/passive_panel.h"

namespace lumetta {

PassivePanel::PassivePanel(std::unique_ptr<ColorLayer> layer, Panels& panels,
                           const PanelConfiguration& configuration)
    : layer_(std::move(layer)), panel_(panels.makePanel(configuration, *layer_)) {
  layer_->onNeedsDisplay([panel = panel_.get()] { panel->setNeedsDisplay(); });
}

PanelConfiguration passivePanelConfiguration() {
  PanelConfiguration c;
  c.contentRect = {0, 0, 0, 0};
  c.level = PanelLevel::floating;
  c.nonActivating = true;
  c.joinsAllSpaces = true;
  c.stationary = true;
  c.ignoredByWindowCycling = true;
  c.fullScreenAuxiliary = true;
  c.clickThrough = true;
  c.neverKeyOrMain = true;
  c.transparent = true;
  c.shadowless = true;
  return c;
}

std::unique_ptr<PassivePanel> makePassivePanel(Panels& panels) {
  return std::make_unique<PassivePanel>(std::make_unique<ColorLayer>(), panels,
                                        passivePanelConfiguration());
}

}  // namespace lumetta
