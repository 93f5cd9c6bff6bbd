// The menu-bar popover's content: the view-local state that lives as long as
// the content (which mode's tab the editor shows, whether the diagnostics are
// expanded, the last launch-at-login failure and the login item's shown
// status), the binding of the editor's controls to the selected mode's
// appearance in the overlay controller, and every action the popover offers.
// Nothing here is persisted; every setting belongs to the controller.
//
// Main thread only (checked). A change of the view-local state is announced
// through `onChange`; the controller announces its own
// (OverlayController::observeChanges). The content reaches the controller
// without owning it: its owner, who stops it, outlives the content.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "overlay/overlay_controller.h"
#include "platform/application.h"
#include "platform/contract_checks.h"
#include "platform/image.h"
#include "platform/login_item.h"
#include "platform/pasteboard.h"

namespace lumetta {

// The settings pane of Privacy & Security that lists the applications allowed
// to use Accessibility.
inline constexpr std::string_view kAccessibilitySettingsURL =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";

// The bundle resource shown as the popover's logo.
inline constexpr std::string_view kLogoResource = "Lumetta-Logo";
inline constexpr std::string_view kLogoExtension = "png";

// The starter colours offered beside the colour panel, in order.
inline constexpr std::string_view kStarterNames[] = {"Blue", "Purple", "Green"};

class MenuContent {
 public:
  // Reads the login item's status once and loads the logo. `quit` is what
  // "Quit" does: the owner's, who stops the controller and the application.
  MenuContent(OverlayController& overlays, const Platform& platform, std::function<void()> quit);

  OverlayController& overlays() { return overlays_; }
  const OverlayController& overlays() const { return overlays_; }
  // Runs after every change of the view-local state.
  std::function<void()> onChange;

  // View-local state.
  bool details() const { return details_; }
  void setDetails(bool expanded);
  const std::string& error() const { return error_; }
  // The mode whose tab is selected: Codex's at first.
  WindowMode mode() const { return mode_; }
  // Chooses the mode the editor shows; changes no setting.
  void selectTab(WindowMode mode);
  bool launchAtLogin() const { return launchAtLogin_; }
  // The user's toggle: registers or unregisters the login item, keeps a
  // failure's description in `error`, opens the login items' settings when a
  // registration waits for the user's approval, then shows the status the
  // system reports.
  void setLaunchAtLogin(bool wanted);
  const std::optional<PlatformImage>& logo() const { return logo_; }

  // The selected mode's appearance, as the controller holds it, and the
  // binding every control of the editor writes through.
  const ModeAppearance& appearance() const { return overlays_.appearance(mode_); }
  template <class T>
  void set(T ModeAppearance::*field, std::type_identity_t<T> value) {
    overlays_.setAppearance(mode_, field, value);
  }

  // The starter colour of `name`: purple, green, and blue for every other name.
  Color starterColor(std::string_view name) const;
  bool starterSelected(std::string_view name) const {
    return appearance().color == starterColor(name);
  }
  void pickStarter(std::string_view name);
  // Opens the colour panel on the selected mode; it keeps editing that mode.
  void chooseColor();

  // Actions.
  void setUpAccessibility();
  void showInFinder();
  void copyDiagnostics();
  void refresh();
  void quit();

  // The content appeared, or the application became active: shows the login
  // item's status anew (the user may have approved it meanwhile).
  void appear();

 private:
  void readLoginStatus();
  void changed();

  OverlayController& overlays_;
  Platform platform_;
  const std::function<void()> quit_;
  bool details_ = false;
  std::string error_;
  WindowMode mode_ = WindowMode::codex;
  bool launchAtLogin_ = false;
  std::optional<PlatformImage> logo_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta
