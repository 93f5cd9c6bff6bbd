// How big AppKit draws the popover's texts and controls, for the portable
// layout.
#pragma once

#include "platform/contract_checks.h"
#include "platform/view_tree.h"

namespace lumetta::mac {

// Main thread only (it builds AppKit controls to measure them).
class MacViewMetrics final : public ViewMetrics {
 public:
  Size textSize(const std::string& text, FontRole font, bool monospacedDigits,
                std::optional<double> maxWidth) override;
  Size controlSize(const ViewNode& node) override;

 private:
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
