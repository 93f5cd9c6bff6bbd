#include "platform/sim/drawing/control_style.h"

namespace lumetta::sim::controls {

Color colorOf(ColorRole role) {
  switch (role) {
    case ColorRole::primary: return {1, 1, 1, 0.85};
    case ColorRole::secondary: return {1, 1, 1, 0.55};
    case ColorRole::accent: return {10 / 255.0, 132 / 255.0, 1, 1};
    case ColorRole::red: return {1, 69 / 255.0, 58 / 255.0, 1};
    case ColorRole::white: return {1, 1, 1, 1};
    case ColorRole::clear: return Color::clear();
  }
  return Color::clear();
}

Color colorOf(Fill fill) {
  const Color color = colorOf(fill.role);
  return color.withAlpha(color.alpha * fill.opacity);
}

}  // namespace lumetta::sim::controls
