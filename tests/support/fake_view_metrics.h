// View metrics with simple sizes that a test can compute by hand: every
// character is 6 points wide, a line 12 high, wrapped text fills whole lines
// of the width given; a control is its text plus 20 points, 20 high; a slider
// at least 60 wide. They count the questions asked.
#pragma once

#include <cmath>
#include <string>

#include "platform/view_tree.h"

namespace lumetta::testing {

class FakeViewMetrics final : public ViewMetrics {
 public:
  static constexpr double kCharacter = 6;
  static constexpr double kLine = 12;

  int textMeasurements = 0;
  int controlMeasurements = 0;

  Size textSize(const std::string& text, FontRole /*font*/, bool /*monospacedDigits*/,
                std::optional<double> maxWidth) override {
    ++textMeasurements;
    const double width = widthOf(text);
    if (!maxWidth || width <= *maxWidth || *maxWidth <= 0) return {width, kLine};
    return {*maxWidth, kLine * std::ceil(width / *maxWidth)};
  }
  Size controlSize(const ViewNode& node) override {
    ++controlMeasurements;
    if (node.kind() == ViewKind::slider) return {60, 20};
    return {widthOf(node.text) + 20, 20};
  }

 private:
  static double widthOf(const std::string& text) {
    double width = 0;
    for (unsigned char byte : text) width += (byte & 0xC0) == 0x80 ? 0 : kCharacter;
    return width;
  }
};

}  // namespace lumetta::testing
