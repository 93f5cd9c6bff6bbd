// The appearance settings of both modes as the controller holds them, and
// their place in the user defaults (appearance.h's table): every value set is
// stored under its key at once, also when unchanged; a stored value is read
// back, when the controller loads it, brought into its range.
#pragma once

#include <optional>
#include <string_view>
#include <type_traits>

#include "overlay/appearance.h"
#include "platform/colors.h"
#include "platform/user_defaults.h"

namespace lumetta {

class AppearanceSettings {
 public:
  // Both modes at their initial appearance, in the system colours (green for
  // ChatGPT, blue for Codex) and marking nothing until loaded.
  AppearanceSettings(UserDefaults& defaults, Colors& colors);

  const ModeAppearance& operator[](WindowMode mode) const { return modes_[mode]; }
  bool anyEnabled() const;

  // Sets one field of `mode`'s appearance and stores it.
  template <class T>
  void set(WindowMode mode, T ModeAppearance::*field, std::type_identity_t<T> value) {
    modes_[mode].*field = value;
    store(appearanceKey(field).key(mode), value);
  }

  // The value stored for `mode`'s field, brought into the table's range:
  // none when nothing is stored, or something of another type, a number that
  // is NaN or a colour without an sRGB form.
  template <class T>
  std::optional<T> stored(WindowMode mode, T ModeAppearance::*field) const {
    const AppearanceKey& row = appearanceKey(field);
    return read(row.key(mode), row, std::type_identity<T>{});
  }

  // What a mode looks like while nothing is stored: its initial appearance,
  // with Codex-mode windows marked.
  ModeAppearance fallback(WindowMode mode) const;

 private:
  void store(std::string_view key, bool value);
  void store(std::string_view key, OverlayStyle value);
  void store(std::string_view key, double value);
  void store(std::string_view key, const Color& value);
  std::optional<bool> read(std::string_view key, const AppearanceKey& row,
                           std::type_identity<bool>) const;
  std::optional<OverlayStyle> read(std::string_view key, const AppearanceKey& row,
                                   std::type_identity<OverlayStyle>) const;
  std::optional<double> read(std::string_view key, const AppearanceKey& row,
                             std::type_identity<double>) const;
  std::optional<Color> read(std::string_view key, const AppearanceKey& row,
                            std::type_identity<Color>) const;

  UserDefaults& defaults_;
  Colors& colors_;
  const PerMode<ModeAppearance> initial_;
  PerMode<ModeAppearance> modes_;
};

}  // namespace lumetta
