#include "platform/sim/user/scripted_user.h"

#include <algorithm>
#include <type_traits>

#include "platform/sim/user/view_outline.h"
#include "platform/sim/user/view_search.h"
#include "support/text_format.h"

namespace lumetta::sim {

void ScriptedUser::perform(const UserStepAction& action, Duration at) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  // Without a status item (a diagnostic mode) there is no menu to act on.
  if (failure_ || !menuBar_.statusItem()) return;
  if (auto refused = act(action.step)) {
    failure_ = action.path + ": " + describe(action.step) + ": " + *refused;
    return;
  }
  report(describe(action.step), at, std::holds_alternative<Look>(action.step));
}

void ScriptedUser::did(std::string description, Duration at) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (failure_ || !menuBar_.statusItem()) return;
  report(std::move(description), at, false);
}

void ScriptedUser::report(std::string description, Duration at, bool look) {
  runLoop_.post([this, alive = alive_, description = std::move(description), at, look] {
    if (!*alive || failure_ || !observer_) return;
    observer_({at, description, look ? outline(menuBar_.content()) : std::vector<std::string>{}});
  });
}

std::optional<std::string> ScriptedUser::act(const UserStep& step) {
  if (std::holds_alternative<OpenPopover>(step)) {
    if (menuBar_.isOpen()) return "the popover is open already";
    menuBar_.open();
    return std::nullopt;
  }
  if (!menuBar_.isOpen()) return "the popover is closed";
  if (std::holds_alternative<ClosePopover>(step)) {
    menuBar_.close();
    return std::nullopt;
  }
  if (std::holds_alternative<Look>(step)) return std::nullopt;  // read once caught up
  // Each action is copied out of the tree before it runs: running it may
  // replace the tree that holds it.
  const ViewNode& root = menuBar_.content();
  if (const auto* click = std::get_if<Click>(&step)) {
    auto found = findControl(root, ControlUse::click, click->control);
    if (auto* why = std::get_if<std::string>(&found)) return *why;
    auto press = pressOf(*std::get<const ViewNode*>(found));
    if (!press) return quotedLiteral(click->control) + " does nothing when clicked";
    press();
    return std::nullopt;
  }
  if (const auto* toggle = std::get_if<Toggle>(&step)) {
    auto found = findControl(root, ControlUse::toggle, toggle->control);
    if (auto* why = std::get_if<std::string>(&found)) return *why;
    auto [on, flip] = toggleOf(*std::get<const ViewNode*>(found));
    if (!flip) return quotedLiteral(toggle->control) + " does nothing when toggled";
    flip(!on);
    return std::nullopt;
  }
  if (const auto* select = std::get_if<SelectSegment>(&step)) {
    auto found = findControl(root, ControlUse::select, select->control);
    if (auto* why = std::get_if<std::string>(&found)) return *why;
    const auto& control = std::get<const ViewNode*>(found)->as<kinds::Segmented>();
    const auto segment =
        std::find(control.segments.begin(), control.segments.end(), select->segment);
    if (segment == control.segments.end()) {
      std::vector<std::string> names;
      for (const std::string& name : control.segments) names.push_back(quotedLiteral(name));
      return quotedLiteral(select->control) + " has no segment " + quotedLiteral(select->segment) +
             " (its segments: " + joined(names, ", ") + ")";
    }
    auto pick = control.onSelect;
    if (!pick) return quotedLiteral(select->control) + " does nothing when a segment is picked";
    pick(int(segment - control.segments.begin()));
    return std::nullopt;
  }
  const auto& slide = std::get<Slide>(step);
  auto found = findControl(root, ControlUse::slide, slide.control);
  if (auto* why = std::get_if<std::string>(&found)) return *why;
  const auto& slider = std::get<const ViewNode*>(found)->as<kinds::Slider>();
  auto drag = slider.onSlide;
  if (!drag) return quotedLiteral(slide.control) + " does nothing when slid";
  drag(sliderValue(slider.range, slide.value));
  return std::nullopt;
}

}  // namespace lumetta::sim
