#include "app/menu_bar_mode.h"

#include <cmath>

#include "overlay/controller_settings.h"
#include "support/output.h"
#include "support/text_format.h"

namespace lumetta {

namespace {

std::string truth(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string secondsText(Duration duration) {
  return shortestNumber(std::round(duration.inSeconds() * 1000) / 1000);
}

namespace {}  // namespace

std::vector<std::pair<std::string, std::string>> settingsTexts(const OverlayController& o) {
  namespace s = settings;
  return {
      {std::string(s::kEnabled), truth(o.enabled())},
      {std::string(s::kTopBar), truth(o.tint())},
      {std::string(s::kStrength), shortestNumber(o.strength())},
      {std::string(s::kBorderWidth), shortestNumber(o.borderWidth())},
      {std::string(s::kColor), hexColor(o.codexColor())},
      {std::string(s::kGptEnabled), truth(o.gptEnabled())},
      {std::string(s::kGptTopBar), truth(o.gptTint())},
      {std::string(s::kGptStrength), shortestNumber(o.gptStrength())},
      {std::string(s::kGptBorderWidth), shortestNumber(o.gptBorderWidth())},
      {std::string(s::kGptColor), hexColor(o.gptColor())},
  };
}

MenuBarRun::MenuBarRun(const Platform& platform, std::ostream& out)
    : platform_(platform),
      out_(out),
      overlays_(OverlayController::create(platform)),
      menu_(std::make_unique<MenuBarApp>(platform, overlays_)),
      reported_(settingsTexts(*overlays_)) {}

MenuBarRun::~MenuBarRun() {
  menu_.reset();
  overlays_->stop();
}

void MenuBarRun::reportStep(Duration at, const std::string& description,
                            const std::vector<std::string>& looked) {
  printLine(out_, "[" + secondsText(at) + " s] " + description);
  auto now = settingsTexts(*overlays_);
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i].second != reported_[i].second) {
      printLine(out_, "  " + now[i].first + ": " + reported_[i].second + " -> " + now[i].second);
    }
  }
  reported_ = std::move(now);
  for (const std::string& line : looked) printLine(out_, "  " + line);
}

void MenuBarRun::run(Uptime deadline, const std::function<bool()>& ended) {
  platform_.runLoop.spinUntil(deadline, [&] { return ended() || cannotWrite(out_); });
}

}  // namespace lumetta
