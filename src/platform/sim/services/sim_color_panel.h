// The shared colour panel of the simulated desktop. It records how it was
// last configured, and a pick (the timeline's, or a test's) changes its colour
// and reaches the action once the panel has been shown.
// Implements: show with its configuration, picks. Ignores: closing the panel,
// intermediate colours of a drag (each pick is one report).
#pragma once

#include <optional>

#include "platform/color_panel.h"
#include "platform/sim/desktop/sim_colors.h"

namespace lumetta::sim {

class SimColorPanel final : public ColorPanel {
 public:
  struct State {
    bool visible = false;
    bool key = false;
    bool continuous = false;
    bool showsAlpha = true;
    bool hidesOnDeactivate = true;
    std::optional<SimColor> color;
    int activations = 0;  // times the application was activated ignoring others
  };

  void show(const Color& color, Action action) override;
  // The user picks `color`: the panel's colour changes and its action runs.
  void pick(const SimColor& color);
  const State& state() const { return state_; }

 private:
  State state_;
  Action action_;
};

}  // namespace lumetta::sim
