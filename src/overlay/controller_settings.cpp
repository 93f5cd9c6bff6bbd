// The appearance settings' effects: loaded once at start-up in the table's
// order (appearance.h), each set storing the value and doing what the
// setting changes, and the colour chosen in the shared colour panel.
#include <variant>

#include "overlay/overlay_controller.h"

namespace lumetta {

void OverlayController::loadSettings() {
  // ChatGPT's settings first, then Codex's; each through its setter, so that
  // a loaded value has the effect a set one has and is written back.
  for (WindowMode mode : kMarkedModes) {
    const ModeAppearance fallback = settings_.fallback(mode);
    for (const AppearanceKey& row : kAppearanceKeys) {
      std::visit(
          [&](auto field) {
            setAppearance(mode, field, settings_.stored(mode, field).value_or(fallback.*field));
          },
          row.field);
    }
  }
}

void OverlayController::appearanceChanged(WindowMode mode, AppearanceField field) {
  if (field == AppearanceField(&ModeAppearance::enabled)) {
    holdActivityWhileMonitoring();
    status_.invalidate();  // the "Codex:" and "GPT:" lines
    // As it always was: switching Codex's overlays asks for the status text
    // at once, with its "Codex: On" line; switching ChatGPT's leaves its
    // "GPT:" line to the next update.
    if (mode == WindowMode::codex) status_.update();
    census();
  } else if (field == AppearanceField(&ModeAppearance::color) && mode == WindowMode::codex) {
    // As it always was: Codex-mode panels take a new colour at once,
    // ChatGPT-mode ones with the next geometry pass.
    for (auto& entry : entries_) {
      if (entry->cache.effective() != WindowMode::codex || !entry->panel) continue;
      entry->panel->layer().setColor(settings_[mode].color);
      entry->panel->window().displayIfNeeded();
    }
  }
  geometry();
  changeObservers_.notify();
}

void OverlayController::chooseColor(WindowMode mode) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  // The chooser goes with the controller, and its picks with it.
  colorPanel_.onChange = [this, mode](const Color& color) {
    setAppearance(mode, &ModeAppearance::color, color);
  };
  colorPanel_.show(settings_[mode].color);
}

}  // namespace lumetta
