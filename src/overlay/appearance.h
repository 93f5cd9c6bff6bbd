// How the overlay marks the windows of one mode, and where each of its
// settings lives in the user defaults. Every mode that is marked has an
// appearance of its own: Codex-mode windows keep theirs under the
// "indicator" keys (Codex was the first mode marked), ChatGPT-mode windows
// under the "gpt" keys.
//
// Glossary: what the popover calls each setting, the field that holds it and
// its keys.
//
//   Popover                          Field        Codex-mode key        ChatGPT-mode key
//   "Enabled" switch                 enabled      indicatorEnabled      gptEnabled
//   "Style": "Top Bar" or "Border"   style        indicatorTopBar       gptTopBar
//   "Color": swatches, "Choose..."   color        indicatorColor        gptColor
//   "Tint" slider (a percentage)     strength     indicatorStrength     gptStrength
//   "Thickness" slider (points)      borderWidth  indicatorBorderWidth  gptBorderWidth
//
// The style is stored as a truth value, true for the top bar. The strength
// is the top bar's opacity; the border width is the border's, which the
// popover offers in the border style only. Colours are stored archived by the
// platform and kept in sRGB.
//
// A new setting is a field here and a row of kAppearanceKeys (loading,
// storing, the menu's bindings and the menu-bar run's report follow the
// table), and its control in the popover (menu/appearance_editor.cpp).
#pragma once

#include <array>
#include <string_view>
#include <variant>

#include "classify/window_mode.h"
#include "platform/color.h"
#include "platform/contract_checks.h"

namespace lumetta {

enum class OverlayStyle { topBar, border };

struct ModeAppearance {
  bool enabled = false;
  OverlayStyle style = OverlayStyle::topBar;
  Color color;
  double strength = 0.15;
  double borderWidth = 6;

  bool operator==(const ModeAppearance&) const = default;
};

// The modes that have an appearance, in the order their settings are loaded.
inline constexpr WindowMode kMarkedModes[] = {WindowMode::chatGPT, WindowMode::codex};

// One field of both modes' appearances, as a key of the table below.
using AppearanceField = std::variant<bool ModeAppearance::*, OverlayStyle ModeAppearance::*,
                                     double ModeAppearance::*, Color ModeAppearance::*>;

// A setting's keys in the user defaults and, for a number, its range: a
// stored number is brought into it when loaded (a value set is kept as given)
// and the popover's slider spans it.
struct AppearanceKey {
  AppearanceField field;
  std::string_view codexKey;
  std::string_view chatGPTKey;
  double low = 0;
  double high = 0;

  // The key of the setting of `mode` (chatGPT or codex).
  constexpr std::string_view key(WindowMode mode) const {
    return mode == WindowMode::chatGPT ? chatGPTKey : codexKey;
  }
};

// Every appearance setting, in the order a mode's settings are loaded and
// reported.
inline constexpr AppearanceKey kAppearanceKeys[] = {
    {&ModeAppearance::enabled, "indicatorEnabled", "gptEnabled"},
    {&ModeAppearance::style, "indicatorTopBar", "gptTopBar"},
    {&ModeAppearance::strength, "indicatorStrength", "gptStrength", 0.1, 0.25},
    {&ModeAppearance::borderWidth, "indicatorBorderWidth", "gptBorderWidth", 2, 16},
    {&ModeAppearance::color, "indicatorColor", "gptColor"},
};

// The table's row of `field`.
constexpr const AppearanceKey& appearanceKey(AppearanceField field) {
  for (const AppearanceKey& row : kAppearanceKeys) {
    if (row.field == field) return row;
  }
  contractViolated("appearanceKey", "was given a field without a row in kAppearanceKeys");
}

// A value for each mode that has an appearance, indexed by the mode.
template <class T>
class PerMode {
 public:
  PerMode(T chatGPT, T codex) : values_{std::move(chatGPT), std::move(codex)} {}
  // `mode` is chatGPT or codex (checked).
  T& operator[](WindowMode mode) { return values_[index(mode)]; }
  const T& operator[](WindowMode mode) const { return values_[index(mode)]; }

 private:
  static std::size_t index(WindowMode mode) {
    LUMETTA_CHECK(mode != WindowMode::unknown, "was given a mode without an appearance");
    return mode == WindowMode::chatGPT ? 0 : 1;
  }
  std::array<T, 2> values_;
};

}  // namespace lumetta
