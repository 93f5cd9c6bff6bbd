// Colours: sRGB components and alpha, 0 to 1.
#pragma once

namespace lumetta {

struct Color {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;

  Color withAlpha(double a) const { return {red, green, blue, a}; }
  bool operator==(const Color&) const = default;

  static constexpr Color clear() { return {0, 0, 0, 0}; }
  // The platform's named system colours in sRGB (light appearance).
  static constexpr Color systemGreen() { return {40 / 255.0, 205 / 255.0, 65 / 255.0, 1}; }
  static constexpr Color systemBlue() { return {0, 122 / 255.0, 1, 1}; }
  static constexpr Color systemPurple() { return {175 / 255.0, 82 / 255.0, 222 / 255.0, 1}; }
};

}  // namespace lumetta
