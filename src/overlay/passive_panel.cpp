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
  c.styleMask = kNonactivatingPanelMask;
  c.backing = 2;
  c.defer = false;
  c.opaque = false;
  c.backgroundColor = Color::clear();
  c.hasShadow = false;
  c.ignoresMouseEvents = true;
  c.acceptsMouseMovedEvents = false;
  c.hidesOnDeactivate = false;
  c.floatingPanel = false;
  c.becomesKeyOnlyIfNeeded = true;
  c.releasedWhenClosed = false;
  c.level = kFloatingWindowLevel;
  c.collectionBehavior = kOverlayCollectionBehavior;
  return c;
}

std::unique_ptr<PassivePanel> makePassivePanel(Panels& panels) {
  return std::make_unique<PassivePanel>(std::make_unique<ColorLayer>(), panels,
                                        passivePanelConfiguration());
}

}  // namespace lumetta
