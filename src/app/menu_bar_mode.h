// The menu-bar application, run on a platform: the overlay controller with
// its stored settings, and the status item whose popover shows the menu. It
// runs until `ended` holds (the application terminated through the menu's
// "Quit", a signal, a failed script), its report cannot be written or the
// deadline passes, and reports what the user did as it happens: one line per
// step, then the settings the step changed and what a look saw, indented.
//
//   [1.5 s] click "GPT"
//   [2 s] toggle "Enabled"
//     gptEnabled: false -> true
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "menu/menu_bar_app.h"
#include "overlay/overlay_controller.h"
#include "platform/platform.h"

namespace lumetta {

// One appearance setting as the report writes it, by its key in the user
// defaults: truth values, numbers in their shortest form, colours as
// #RRGGBB (with the alpha appended when not opaque).
struct ReportedSetting {
  std::string key;
  std::string text;
  std::optional<Color> color;  // a colour setting's value
};

// Every appearance setting: Codex's, then ChatGPT's, each in the order of the
// key table (overlay/appearance.h).
std::vector<ReportedSetting> reportedSettings(const OverlayController& overlays);

// The report's line for a setting that changed from `before` to `after`, if
// it changed: "KEY: OLD -> NEW". Two colours that #RRGGBB cannot tell apart
// are written with their components too, so that every change shows:
// "indicatorColor: #007AFF (0, 0.47843137254901963, 1) -> #007AFF (0, 0.478, 1)".
std::optional<std::string> settingChange(const ReportedSetting& before,
                                         const ReportedSetting& after);

// "1.5", "0.046": seconds to the millisecond, as the report writes times.
std::string secondsText(Duration duration);

// The menu-bar application's run: the one owner of the controller, which it
// starts, stops when the menu's "Quit" is chosen (then terminates the
// application) and stops again when it ends, after the menu has gone.
class MenuBarRun {
 public:
  // Starts the controller and installs the status item.
  MenuBarRun(const Platform& platform, std::ostream& out);
  ~MenuBarRun();
  MenuBarRun(const MenuBarRun&) = delete;
  MenuBarRun& operator=(const MenuBarRun&) = delete;

  // Prints one step of the user, the settings changed since the last one and
  // `looked`.
  void reportStep(Duration at, const std::string& description,
                  const std::vector<std::string>& looked);

  // Runs the main loop until `ended` holds, a write of the report fails (nothing
  // printed later would arrive) or `deadline` passes.
  void run(Uptime deadline, const std::function<bool()>& ended);

  OverlayController& overlays() { return *overlays_; }

 private:
  // "Quit": the controller stops, then the application is asked to terminate.
  void quit();

  Platform platform_;
  std::ostream& out_;
  std::unique_ptr<OverlayController> overlays_;
  std::unique_ptr<MenuBarApp> menu_;
  std::vector<ReportedSetting> reported_;
};

}  // namespace lumetta
