// Colours on the simulated desktop. A colour is sRGB components or a named
// pattern, which has no sRGB form. The system colours are the light
// appearance's. An archive is the UTF-8 JSON text {"color":{"srgb":[r,g,b,a]}}
// or {"color":{"pattern":"name"}}, numbers in their shortest exact form, so a
// colour reads back exactly; any other data holds no colour.
// Implements: system colours, sRGB conversion, archiving. Ignores: colour
// spaces other than sRGB, the dark appearance.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "platform/colors.h"

namespace lumetta::sim {

struct PatternColor {
  std::string name;
  bool operator==(const PatternColor&) const = default;
};
using SimColor = std::variant<Color, PatternColor>;

PlatformColor platformColor(const SimColor& color);
// Nothing when a component is not a finite number.
std::optional<Data> archiveColor(const SimColor& color);
std::optional<SimColor> unarchiveColor(const Data& data);

class SimColors final : public Colors {
 public:
  Color systemBlue() override { return Color::systemBlue(); }
  Color systemGreen() override { return Color::systemGreen(); }
  Color systemPurple() override { return Color::systemPurple(); }
  std::optional<Data> archive(const Color& color) override { return archiveColor(color); }
  std::optional<PlatformColor> unarchive(const Data& data) override;
};

}  // namespace lumetta::sim
