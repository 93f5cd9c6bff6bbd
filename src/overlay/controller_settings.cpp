// The appearance settings: kept per mode ("indicator" keys for Codex-mode
// windows, "gpt" keys for ChatGPT-mode windows), stored in the user defaults
// on every set, loaded once at start-up with their ranges applied, and the
// colour chosen in the shared colour panel.
#include <algorithm>
#include <cmath>

#include "overlay/controller_settings.h"
#include "overlay/overlay_controller.h"

namespace lumetta {

namespace {

// A stored number, brought into range (an infinity to the end it lies
// beyond); none when absent, not a number, or NaN, which no range holds.
std::optional<double> storedNumber(UserDefaults& defaults, std::string_view key, double low,
                                   double high) {
  if (!defaults.hasObject(key)) return std::nullopt;
  const std::optional<double> value = defaults.doubleValue(key);
  if (!value || std::isnan(*value)) return std::nullopt;
  return std::clamp(*value, low, high);
}

std::optional<bool> storedTruth(UserDefaults& defaults, std::string_view key) {
  if (!defaults.hasObject(key)) return std::nullopt;
  return defaults.boolValue(key);
}

}  // namespace

void OverlayController::loadSettings() {
  UserDefaults& defaults = platform_.defaults;
  auto color = [&](std::string_view key) -> std::optional<Color> {
    const std::optional<Data> data = defaults.dataValue(key);
    if (!data) return std::nullopt;
    const std::optional<PlatformColor> stored = platform_.colors.unarchive(*data);
    return stored ? stored->srgb() : std::nullopt;
  };
  setGptEnabled(defaults.boolValue(settings::kGptEnabled).value_or(false));
  setGptTint(storedTruth(defaults, settings::kGptTopBar).value_or(gptTint_));
  setGptStrength(storedNumber(defaults, settings::kGptStrength, settings::kMinimumStrength,
                              settings::kMaximumStrength)
                     .value_or(gptStrength_));
  setGptBorderWidth(storedNumber(defaults, settings::kGptBorderWidth, settings::kMinimumBorderWidth,
                                 settings::kMaximumBorderWidth)
                        .value_or(gptBorderWidth_));
  setGptColor(color(settings::kGptColor).value_or(gptColor_));
  setEnabled(storedTruth(defaults, settings::kEnabled).value_or(true));
  setTint(storedTruth(defaults, settings::kTopBar).value_or(tint_));
  setStrength(storedNumber(defaults, settings::kStrength, settings::kMinimumStrength,
                           settings::kMaximumStrength)
                  .value_or(strength_));
  setBorderWidth(storedNumber(defaults, settings::kBorderWidth, settings::kMinimumBorderWidth,
                              settings::kMaximumBorderWidth)
                     .value_or(borderWidth_));
  setCodexColor(color(settings::kColor).value_or(codexColor_));
}

void OverlayController::storeBool(std::string_view key, bool value) {
  platform_.defaults.setBool(key, value);
}

void OverlayController::storeDouble(std::string_view key, double value) {
  platform_.defaults.setDouble(key, value);
}

void OverlayController::storeColor(std::string_view key, const Color& value) {
  // A colour that cannot be archived is simply not persisted.
  if (auto data = platform_.colors.archive(value)) platform_.defaults.setData(key, *data);
}

void OverlayController::setEnabled(bool value) {
  enabled_ = value;
  storeBool(settings::kEnabled, value);
  holdActivityWhileMonitoring();
  updateSummary();
  census();
  geometry();
  changeObservers_.notify();
}

void OverlayController::setTint(bool value) {
  tint_ = value;
  storeBool(settings::kTopBar, value);
  geometry();
  changeObservers_.notify();
}

void OverlayController::setStrength(double value) {
  strength_ = value;
  storeDouble(settings::kStrength, value);
  geometry();
  changeObservers_.notify();
}

void OverlayController::setBorderWidth(double value) {
  borderWidth_ = value;
  storeDouble(settings::kBorderWidth, value);
  geometry();
  changeObservers_.notify();
}

void OverlayController::setCodexColor(const Color& value) {
  codexColor_ = value;
  storeColor(settings::kColor, value);
  for (auto& entry : entries_) {
    if (entry->cache.effective() != WindowMode::codex || !entry->panel) continue;
    entry->panel->layer().setColor(value);
    entry->panel->window().displayIfNeeded();
  }
  geometry();
  changeObservers_.notify();
}

void OverlayController::setGptEnabled(bool value) {
  gptEnabled_ = value;
  storeBool(settings::kGptEnabled, value);
  holdActivityWhileMonitoring();
  census();
  geometry();
  changeObservers_.notify();
}

void OverlayController::setGptTint(bool value) {
  gptTint_ = value;
  storeBool(settings::kGptTopBar, value);
  geometry();
  changeObservers_.notify();
}

void OverlayController::setGptStrength(double value) {
  gptStrength_ = value;
  storeDouble(settings::kGptStrength, value);
  geometry();
  changeObservers_.notify();
}

void OverlayController::setGptBorderWidth(double value) {
  gptBorderWidth_ = value;
  storeDouble(settings::kGptBorderWidth, value);
  geometry();
  changeObservers_.notify();
}

void OverlayController::setGptColor(const Color& value) {
  gptColor_ = value;
  storeColor(settings::kGptColor, value);
  geometry();
  changeObservers_.notify();
}

void OverlayController::chooseColor(bool gpt) {
  std::weak_ptr<OverlayController> weak = weak_from_this();
  colorPanel_.onChange = [weak, gpt](const Color& color) {
    auto self = weak.lock();
    if (!self) return;
    if (gpt) {
      self->setGptColor(color);
    } else {
      self->setCodexColor(color);
    }
  };
  colorPanel_.show(gpt ? gptColor_ : codexColor_);
}

}  // namespace lumetta
