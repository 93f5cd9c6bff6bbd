#include "platform/sim/drawing/pango_view_metrics.h"

#include <algorithm>

#include "platform/control_parts.h"
#include "platform/sim/drawing/control_style.h"

namespace lumetta::sim {

using namespace controls;

Size PangoViewMetrics::textSize(const std::string& text, FontRole font, bool monospacedDigits,
                                std::optional<double> maxWidth) {
  // A tab is measured in its wider, selected weight, so selecting it moves nothing.
  const TextStyle style{font, font == FontRole::tab, monospacedDigits};
  return PangoText::sizeOf(text_.layout(text, style, maxWidth).get());
}

Size PangoViewMetrics::titleSize(const ViewNode& node, bool emphasized) {
  if (node.text.empty()) return {0, text_.lineHeight({node.font})};
  return PangoText::sizeOf(
      text_.layout(node.text, {node.font, emphasized, node.monospacedDigits}).get());
}

Size PangoViewMetrics::controlSize(const ViewNode& node) {
  const Size title = titleSize(node);
  const auto besideTitle = [&](double width, double gap, double height) {
    return Size{width + (node.text.empty() ? 0 : gap + title.width),
                std::max(height, title.height)};
  };
  switch (node.kind()) {
    case ViewKind::button:
      if (node.as<kinds::Button>().plain) return title;
      return {title.width + 2 * kButtonPadding, std::max(kButtonHeight, title.height)};
    case ViewKind::checkbox: return besideTitle(kCheckboxBox, kCheckboxGap, kCheckboxHeight);
    case ViewKind::toggleSwitch:
      return besideTitle(kSwitchWidth, ControlParts::kLabelGap, kSwitchHeight);
    case ViewKind::disclosure:
      return besideTitle(kDisclosureTriangle, ControlParts::kDisclosureGap, kDisclosureHeight);
    case ViewKind::segmented: {
      double widest = 0;
      const std::vector<std::string>& segments = node.as<kinds::Segmented>().segments;
      for (const std::string& segment : segments) {
        widest = std::max(widest, textSize(segment, node.font, false, std::nullopt).width);
      }
      const double control = double(segments.size()) * (widest + 2 * kSegmentPadding);
      return besideTitle(control, ControlParts::kLabelGap, kSegmentedHeight);
    }
    case ViewKind::slider: return {ControlParts::kSliderMinimumWidth, kSliderHeight};
    case ViewKind::colorButton: {
      const Size well = besideTitle(ControlParts::kWellWidth, ControlParts::kWellSpacing,
                                    ControlParts::kWellHeight);
      if (node.as<kinds::ColorButton>().plain) return well;
      return {well.width + 2 * kButtonPadding, std::max(kButtonHeight, well.height)};
    }
    case ViewKind::swatch: return {ControlParts::kSwatchDiameter, ControlParts::kSwatchDiameter};
    case ViewKind::tab: return titleSize(node, true);
    case ViewKind::text:
    case ViewKind::scrollText: return title;
    case ViewKind::image: {
      const std::optional<PlatformImage>& image = node.as<kinds::Image>().image;
      return image ? image->size() : Size{};
    }
    case ViewKind::verticalStack:
    case ViewKind::horizontalStack:
    case ViewKind::spacer:
    case ViewKind::divider: return {};
  }
  return {};
}

}  // namespace lumetta::sim
