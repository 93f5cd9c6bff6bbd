#include "platform/sim/user/view_search.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/text_format.h"

namespace lumetta::sim {

namespace {

bool usableFor(ControlUse use, ViewKind kind) {
  switch (use) {
    case ControlUse::click:
      return kind == ViewKind::button || kind == ViewKind::tab || kind == ViewKind::swatch ||
             kind == ViewKind::colorButton;
    case ControlUse::toggle:
      return kind == ViewKind::checkbox || kind == ViewKind::toggleSwitch ||
             kind == ViewKind::disclosure;
    case ControlUse::select: return kind == ViewKind::segmented;
    case ControlUse::slide: return kind == ViewKind::slider;
  }
  return false;
}

const char* verb(ControlUse use) {
  switch (use) {
    case ControlUse::click: return "clicked";
    case ControlUse::toggle: return "toggled";
    case ControlUse::select: return "given a segment";
    case ControlUse::slide: return "slid";
  }
  return "used";
}

// Every shown node named `name`, in tree order.
void collect(const ViewNode& node, const std::string& name, std::vector<const ViewNode*>& found) {
  if (!name.empty() && (node.text == name || node.accessibilityLabel == name)) {
    found.push_back(&node);
  }
  if (node.collapsed()) return;
  for (const ViewNode& child : node.children) collect(child, name, found);
}

}  // namespace

std::variant<const ViewNode*, std::string> findControl(const ViewNode& root, ControlUse use,
                                                       const std::string& name) {
  std::vector<const ViewNode*> named;
  collect(root, name, named);
  std::vector<const ViewNode*> usable;
  std::copy_if(named.begin(), named.end(), std::back_inserter(usable),
               [&](const ViewNode* node) { return usableFor(use, node->kind()); });
  if (usable.size() == 1) return usable.front();
  if (usable.size() > 1) {
    return std::to_string(usable.size()) + " controls named " + quotedLiteral(name) +
           " are shown (a step must name exactly one)";
  }
  if (!named.empty()) {
    const std::string kind = kindName(named.front()->kind());
    const bool vowel = kind.find_first_of("aeiou") == 0;
    return quotedLiteral(name) + (vowel ? " is an " : " is a ") + kind + ", which cannot be " +
           verb(use);
  }
  return "nothing named " + quotedLiteral(name) + " is shown";
}

std::function<void()> pressOf(const ViewNode& node) {
  return std::visit(
      [](const auto& data) -> std::function<void()> {
        if constexpr (requires { data.onPress; }) return data.onPress;
        return {};
      },
      node.content);
}

std::pair<bool, std::function<void(bool)>> toggleOf(const ViewNode& node) {
  return std::visit(
      [](const auto& data) -> std::pair<bool, std::function<void(bool)>> {
        if constexpr (requires { data.onToggle; }) return {data.on, data.onToggle};
        return {};
      },
      node.content);
}

std::string kindName(ViewKind kind) {
  switch (kind) {
    case ViewKind::verticalStack: return "vertical stack";
    case ViewKind::horizontalStack: return "horizontal stack";
    case ViewKind::spacer: return "spacer";
    case ViewKind::divider: return "divider";
    case ViewKind::text: return "text";
    case ViewKind::image: return "image";
    case ViewKind::button: return "button";
    case ViewKind::checkbox: return "checkbox";
    case ViewKind::toggleSwitch: return "switch";
    case ViewKind::segmented: return "segmented control";
    case ViewKind::slider: return "slider";
    case ViewKind::tab: return "tab";
    case ViewKind::swatch: return "swatch";
    case ViewKind::colorButton: return "colour button";
    case ViewKind::disclosure: return "disclosure";
    case ViewKind::scrollText: return "scroll text";
  }
  return "view";
}

double sliderValue(const SliderRange& range, double value) {
  const double low = std::min(range.minimum, range.maximum);
  const double high = std::max(range.minimum, range.maximum);
  double settled = std::clamp(value, low, high);
  if (range.step > 0) {
    // Whole steps, read to nine decimals first: (0.125 - 0.1) / 0.01 is
    // 2.4999999999999996 in binary, a half step as the user dragged it.
    const double steps = std::round((settled - low) / range.step * 1e9) / 1e9;
    settled = low + std::round(steps) * range.step;
    // Counted in whole steps from zero where the range starts on a step, so
    // that 0.1 + 2 x 0.01 reads 0.12, not 0.12000000000000001.
    const double tidy = std::round(settled / range.step) * range.step;
    if (std::abs(tidy - settled) <= 1e-9 * range.step) settled = tidy;
    if (settled > high) settled -= range.step;  // a last step that does not fit
  }
  return std::clamp(settled, low, high);
}

}  // namespace lumetta::sim
