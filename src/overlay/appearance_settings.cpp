#include "overlay/appearance_settings.h"

#include <algorithm>
#include <cmath>

namespace lumetta {

namespace {

ModeAppearance initialAppearance(Color color) {
  ModeAppearance appearance;
  appearance.color = color;
  return appearance;
}

}  // namespace

AppearanceSettings::AppearanceSettings(UserDefaults& defaults, Colors& colors)
    : defaults_(defaults),
      colors_(colors),
      initial_{initialAppearance(colors.systemGreen()), initialAppearance(colors.systemBlue())},
      modes_(initial_) {}

bool AppearanceSettings::anyEnabled() const {
  return modes_[WindowMode::codex].enabled || modes_[WindowMode::chatGPT].enabled;
}

ModeAppearance AppearanceSettings::fallback(WindowMode mode) const {
  ModeAppearance appearance = initial_[mode];
  appearance.enabled = mode == WindowMode::codex;
  return appearance;
}

void AppearanceSettings::store(std::string_view key, bool value) { defaults_.setBool(key, value); }

void AppearanceSettings::store(std::string_view key, OverlayStyle value) {
  defaults_.setBool(key, value == OverlayStyle::topBar);
}

void AppearanceSettings::store(std::string_view key, double value) {
  defaults_.setDouble(key, value);
}

void AppearanceSettings::store(std::string_view key, const Color& value) {
  // A colour that cannot be archived is simply not persisted.
  if (auto data = colors_.archive(value)) defaults_.setData(key, *data);
}

std::optional<bool> AppearanceSettings::read(std::string_view key, const AppearanceKey&,
                                             std::type_identity<bool>) const {
  if (!defaults_.hasObject(key)) return std::nullopt;
  return defaults_.boolValue(key);
}

std::optional<OverlayStyle> AppearanceSettings::read(std::string_view key, const AppearanceKey& row,
                                                     std::type_identity<OverlayStyle>) const {
  const std::optional<bool> topBar = read(key, row, std::type_identity<bool>{});
  if (!topBar) return std::nullopt;
  return *topBar ? OverlayStyle::topBar : OverlayStyle::border;
}

std::optional<double> AppearanceSettings::read(std::string_view key, const AppearanceKey& row,
                                               std::type_identity<double>) const {
  if (!defaults_.hasObject(key)) return std::nullopt;
  const std::optional<double> value = defaults_.doubleValue(key);
  // No range holds NaN; an infinity comes in at the end it lies beyond.
  if (!value || std::isnan(*value)) return std::nullopt;
  return std::clamp(*value, row.low, row.high);
}

std::optional<Color> AppearanceSettings::read(std::string_view key, const AppearanceKey&,
                                              std::type_identity<Color>) const {
  const std::optional<Data> data = defaults_.dataValue(key);
  if (!data) return std::nullopt;
  const std::optional<PlatformColor> stored = colors_.unarchive(*data);
  return stored ? stored->srgb() : std::nullopt;
}

}  // namespace lumetta
