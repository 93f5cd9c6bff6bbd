// The popover content's state, bindings and actions.
#include "menu/menu_content.h"

namespace lumetta {

MenuContent::MenuContent(OverlayController& overlays, const Platform& platform,
                         std::function<void()> quit)
    : overlays_(overlays), platform_(platform), quit_(std::move(quit)) {
  launchAtLogin_ = platform_.loginItem.status() == LoginItemStatus::enabled;
  if (auto path = platform_.applicationInfo.resourcePath(kLogoResource, kLogoExtension)) {
    logo_ = platform_.application.loadImage(*path);
  }
}

void MenuContent::changed() {
  if (onChange) onChange();
}

void MenuContent::setDetails(bool expanded) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  details_ = expanded;
  changed();
}

void MenuContent::selectTab(WindowMode mode) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  mode_ = mode;
  changed();
}

void MenuContent::readLoginStatus() {
  launchAtLogin_ = platform_.loginItem.status() == LoginItemStatus::enabled;
}

void MenuContent::setLaunchAtLogin(bool wanted) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  error_.clear();
  LoginItem& item = platform_.loginItem;
  if (auto failure = wanted ? item.registerItem() : item.unregisterItem()) {
    error_ = failure->localizedDescription;
  } else if (wanted && item.status() == LoginItemStatus::requiresApproval) {
    // The approval the registration waits for is one click away.
    item.openApprovalSettings();
  }
  // The box shows what the system reports, never merely the wish: a
  // registration waiting for approval stays unchecked.
  readLoginStatus();
  changed();
}

void MenuContent::appear() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  readLoginStatus();
  changed();
}

Color MenuContent::starterColor(std::string_view name) const {
  if (name == "Purple") return platform_.colors.systemPurple();
  if (name == "Green") return platform_.colors.systemGreen();
  return platform_.colors.systemBlue();
}

void MenuContent::pickStarter(std::string_view name) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  set(&ModeAppearance::color, starterColor(name));
}

void MenuContent::chooseColor() { overlays_.chooseColor(mode_); }

void MenuContent::setUpAccessibility() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  // The system's own prompt adds this copy to the list; its answer is not
  // needed, the census publishes the permission when it comes.
  platform_.accessibility.isProcessTrustedWithPrompt();
  // A URL that does not parse is not opened; the prompt has been asked for.
  platform_.workspace.openURL(kAccessibilitySettingsURL);
}

void MenuContent::showInFinder() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  platform_.workspace.activateFileViewerSelecting({platform_.applicationInfo.bundlePath()});
}

void MenuContent::copyDiagnostics() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  platform_.pasteboard.clearContents();
  platform_.pasteboard.setString(overlays_.summary());
}

void MenuContent::refresh() { overlays_.refresh(); }

void MenuContent::quit() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  quit_();
}

}  // namespace lumetta
