#include "platform/sim/desktop/sim_colors.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/sim/desktop/desktop_json.h"

namespace lumetta::sim {

namespace {

class SimColorImpl final : public PlatformColorImpl {
 public:
  explicit SimColorImpl(SimColor color) : color_(std::move(color)) {}
  std::optional<Color> srgb() const override {
    if (const Color* c = std::get_if<Color>(&color_)) return *c;
    return std::nullopt;
  }

 private:
  SimColor color_;
};

bool finite(const Color& c) {
  return std::isfinite(c.red) && std::isfinite(c.green) && std::isfinite(c.blue) &&
         std::isfinite(c.alpha);
}

std::optional<Color> components(const Json& value) {
  if (!value.is_array() || value.size() != 4) return std::nullopt;
  double c[4];
  for (std::size_t i = 0; i < 4; ++i) {
    if (!value[i].is_number()) return std::nullopt;
    c[i] = value[i].get<double>();
  }
  const Color color{c[0], c[1], c[2], c[3]};
  if (!finite(color)) return std::nullopt;
  return color;
}

}  // namespace

PlatformColor platformColor(const SimColor& color) {
  return PlatformColor(std::make_shared<SimColorImpl>(color));
}

std::optional<Data> archiveColor(const SimColor& color) {
  Json form;
  if (const Color* c = std::get_if<Color>(&color)) {
    if (!finite(*c)) return std::nullopt;
    form["srgb"] = {c->red, c->green, c->blue, c->alpha};
  } else {
    form["pattern"] = std::get<PatternColor>(color).name;
  }
  const std::string text = Json{{"color", form}}.dump();
  return Data(text.begin(), text.end());
}

std::optional<SimColor> unarchiveColor(const Data& data) {
  // Any data may come here (a settings file's): read with the desktop file's checks.
  auto parsed =
      parseJson(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
  if (!std::holds_alternative<Json>(parsed)) return std::nullopt;
  const Json& root = std::get<Json>(parsed);
  if (!root.is_object() || root.size() != 1 || !root.contains("color")) return std::nullopt;
  const Json& form = root["color"];
  if (!form.is_object() || form.size() != 1) return std::nullopt;
  if (form.contains("srgb")) return components(form["srgb"]);
  if (form.contains("pattern") && form["pattern"].is_string()) {
    return PatternColor{form["pattern"].get<std::string>()};
  }
  return std::nullopt;
}

std::optional<PlatformColor> SimColors::unarchive(const Data& data) {
  if (auto color = unarchiveColor(data)) return platformColor(*color);
  return std::nullopt;
}

}  // namespace lumetta::sim
