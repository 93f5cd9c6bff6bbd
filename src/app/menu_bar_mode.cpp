#include "app/menu_bar_mode.h"

#include <cmath>
#include <variant>

#include "overlay/appearance.h"
#include "support/output.h"
#include "support/text_format.h"

namespace lumetta {

namespace {

ReportedSetting reported(std::string_view key, bool value) {
  return {std::string(key), value ? "true" : "false", std::nullopt};
}

// Stored as a truth value: true for the top bar.
ReportedSetting reported(std::string_view key, OverlayStyle value) {
  return reported(key, value == OverlayStyle::topBar);
}

ReportedSetting reported(std::string_view key, double value) {
  return {std::string(key), shortestNumber(value), std::nullopt};
}

ReportedSetting reported(std::string_view key, const Color& value) {
  return {std::string(key), hexColor(value), value};
}

// "#007AFF (0, 0.47843137254901963, 1)": the components in their shortest
// form, the alpha too when not opaque.
std::string preciseColor(const Color& color) {
  std::string text = hexColor(color) + " (" + shortestNumber(color.red) + ", " +
                     shortestNumber(color.green) + ", " + shortestNumber(color.blue);
  if (color.alpha != 1) text += ", " + shortestNumber(color.alpha);
  return text + ")";
}

}  // namespace

std::string secondsText(Duration duration) {
  return shortestNumber(std::round(duration.inSeconds() * 1000) / 1000);
}

std::vector<ReportedSetting> reportedSettings(const OverlayController& overlays) {
  std::vector<ReportedSetting> settings;
  for (WindowMode mode : {WindowMode::codex, WindowMode::chatGPT}) {
    const ModeAppearance& appearance = overlays.appearance(mode);
    for (const AppearanceKey& row : kAppearanceKeys) {
      std::visit(
          [&](auto field) { settings.push_back(reported(row.key(mode), appearance.*field)); },
          row.field);
    }
  }
  return settings;
}

std::optional<std::string> settingChange(const ReportedSetting& before,
                                         const ReportedSetting& after) {
  const std::string prefix = after.key + ": ";
  if (before.text != after.text) return prefix + before.text + " -> " + after.text;
  if (!before.color || !after.color || *before.color == *after.color) return std::nullopt;
  return prefix + preciseColor(*before.color) + " -> " + preciseColor(*after.color);
}

MenuBarRun::MenuBarRun(const Platform& platform, std::ostream& out)
    : platform_(platform),
      out_(out),
      overlays_(OverlayController::create(platform)),
      menu_(std::make_unique<MenuBarApp>(platform, *overlays_, [this] { quit(); })),
      reported_(reportedSettings(*overlays_)) {}

MenuBarRun::~MenuBarRun() {
  menu_.reset();
  overlays_->stop();
}

void MenuBarRun::quit() {
  overlays_->stop();
  platform_.application.terminate();
}

void MenuBarRun::reportStep(Duration at, const std::string& description,
                            const std::vector<std::string>& looked) {
  printLine(out_, "[" + secondsText(at) + " s] " + description);
  auto now = reportedSettings(*overlays_);
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (auto change = settingChange(reported_[i], now[i])) printLine(out_, "  " + *change);
  }
  reported_ = std::move(now);
  for (const std::string& line : looked) printLine(out_, "  " + line);
}

void MenuBarRun::run(Uptime deadline, const std::function<bool()>& ended) {
  platform_.runLoop.spinUntil(deadline, [&] { return ended() || cannotWrite(out_); });
}

}  // namespace lumetta
