// View metrics with simple sizes that a test can compute by hand: every
// character is 6 points wide, a line 12 high, wrapped text fills whole lines
// of the width given; a control is its text plus 20 points, 20 high; a slider
// at least 60 wide.
#pragma once

#include <cmath>
#include <string>

#include "platform/view_tree.h"

namespace lumetta::testing {

class FakeViewMetrics final : public ViewMetrics {
 public:
  static constexpr double kCharacter = 6;
  static constexpr double kLine = 12;

  Size textSize(const std::string& text, FontRole /*font*/, bool /*monospacedDigits*/,
                std::optional<double> maxWidth) override {
    double width = 0;
    for (unsigned char byte : text) width += (byte & 0xC0) == 0x80 ? 0 : kCharacter;
    if (!maxWidth || width <= *maxWidth || *maxWidth <= 0) return {width, kLine};
    return {*maxWidth, kLine * std::ceil(width / *maxWidth)};
  }
  Size controlSize(const ViewNode& node) override {
    if (node.kind == ViewKind::slider) return {60, 20};
    return {textSize(node.text, node.font, false, std::nullopt).width + 20, 20};
  }
};

}  // namespace lumetta::testing
