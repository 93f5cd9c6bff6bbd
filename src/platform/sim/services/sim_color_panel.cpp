#include "platform/sim/services/sim_color_panel.h"

namespace lumetta::sim {

void SimColorPanel::show(const Color& color, Action action) {
  action_ = std::move(action);
  state_.continuous = true;
  state_.showsAlpha = false;
  state_.color = color;
  state_.hidesOnDeactivate = false;
  ++state_.activations;
  state_.key = true;
  state_.visible = true;
}

void SimColorPanel::pick(const SimColor& color) {
  if (!state_.visible) return;  // nothing to pick in
  state_.color = color;
  // A copy: the action may show the panel again, which replaces action_.
  if (Action action = action_) action(platformColor(color));
}

}  // namespace lumetta::sim
