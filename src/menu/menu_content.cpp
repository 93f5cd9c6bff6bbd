// The popover content's state, bindings and actions.
#include "menu/menu_content.h"

namespace lumetta {

MenuContent::MenuContent(std::shared_ptr<OverlayController> overlays, const Platform& platform)
    : overlays_(std::move(overlays)), platform_(platform) {
  launchAtLogin_ = platform_.loginItem.status() == LoginItemStatus::enabled;
  if (auto path = platform_.applicationInfo.resourcePath(kLogoResource, kLogoExtension)) {
    logo_ = platform_.application.loadImage(*path);
  }
}

void MenuContent::changed() {
  if (onChange) onChange();
}

void MenuContent::setDetails(bool expanded) {
  details_ = expanded;
  changed();
}

void MenuContent::selectTab(bool gpt) {
  gpt_ = gpt;
  changed();
}

void MenuContent::readLoginStatus() {
  launchAtLogin_ = platform_.loginItem.status() == LoginItemStatus::enabled;
}

void MenuContent::setLaunchAtLogin(bool wanted) {
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
  readLoginStatus();
  changed();
}

bool MenuContent::enabled() const { return gpt_ ? overlays_->gptEnabled() : overlays_->enabled(); }

void MenuContent::setEnabled(bool value) {
  gpt_ ? overlays_->setGptEnabled(value) : overlays_->setEnabled(value);
}

bool MenuContent::tint() const { return gpt_ ? overlays_->gptTint() : overlays_->tint(); }

void MenuContent::setTint(bool value) {
  gpt_ ? overlays_->setGptTint(value) : overlays_->setTint(value);
}

double MenuContent::strength() const {
  return gpt_ ? overlays_->gptStrength() : overlays_->strength();
}

void MenuContent::setStrength(double value) {
  gpt_ ? overlays_->setGptStrength(value) : overlays_->setStrength(value);
}

double MenuContent::thickness() const {
  return gpt_ ? overlays_->gptBorderWidth() : overlays_->borderWidth();
}

void MenuContent::setThickness(double value) {
  gpt_ ? overlays_->setGptBorderWidth(value) : overlays_->setBorderWidth(value);
}

const Color& MenuContent::color() const {
  return gpt_ ? overlays_->gptColor() : overlays_->codexColor();
}

Color MenuContent::starterColor(std::string_view name) const {
  if (name == "Purple") return platform_.colors.systemPurple();
  if (name == "Green") return platform_.colors.systemGreen();
  return platform_.colors.systemBlue();
}

void MenuContent::pickStarter(std::string_view name) {
  const Color color = starterColor(name);
  gpt_ ? overlays_->setGptColor(color) : overlays_->setCodexColor(color);
}

void MenuContent::chooseColor() { overlays_->chooseColor(gpt_); }

void MenuContent::setUpAccessibility() {
  // The system's own prompt adds this copy to the list; its answer is not
  // needed, the census publishes the permission when it comes.
  platform_.accessibility.isProcessTrustedWithPrompt();
  // A URL that does not parse is not opened; the prompt has been asked for.
  platform_.workspace.openURL(kAccessibilitySettingsURL);
}

void MenuContent::showInFinder() {
  platform_.workspace.activateFileViewerSelecting({platform_.applicationInfo.bundlePath()});
}

void MenuContent::copyDiagnostics() {
  platform_.pasteboard.clearContents();
  platform_.pasteboard.setString(overlays_->summary());
}

void MenuContent::refresh() { overlays_->refresh(); }

void MenuContent::quit() {
  overlays_->stop();
  platform_.application.terminate();
}

}  // namespace lumetta
