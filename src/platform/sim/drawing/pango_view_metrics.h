// The simulated desktop's view metrics: texts measured with Pango in the
// platform's font roles, controls sized as the dark popover draws them.
//
// Implements: every ViewMetrics query.
// Ignores: control sizes other than the regular one.
#pragma once

#include "platform/sim/drawing/pango_text.h"
#include "platform/view_tree.h"

namespace lumetta::sim {

// Main thread only, as the menu-bar service it serves.
class PangoViewMetrics final : public ViewMetrics {
 public:
  Size textSize(const std::string& text, FontRole font, bool monospacedDigits,
                std::optional<double> maxWidth) override;
  Size controlSize(const ViewNode& node) override;

 private:
  Size titleSize(const ViewNode& node, bool emphasized = false);
  PangoText text_;
};

}  // namespace lumetta::sim
