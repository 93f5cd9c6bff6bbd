#include "platform/sim/user/view_outline.h"

#include "platform/sim/user/view_search.h"
#include "support/text_format.h"

namespace lumetta::sim {

namespace {

const char* fontName(FontRole font) {
  switch (font) {
    case FontRole::body: return "body";
    case FontRole::headline: return "headline";
    case FontRole::caption: return "caption";
    case FontRole::tab: return "tab";
    case FontRole::monospaced10: return "monospaced 10";
  }
  return "font";
}

const char* roleName(ColorRole role) {
  switch (role) {
    case ColorRole::primary: return "primary";
    case ColorRole::secondary: return "secondary";
    case ColorRole::accent: return "accent";
    case ColorRole::red: return "red";
    case ColorRole::white: return "white";
    case ColorRole::clear: return "clear";
  }
  return "colour";
}

// The text's font and colour where they are not the defaults.
std::string textStyle(const ViewNode& node) {
  std::vector<std::string> parts;
  if (node.font != FontRole::body) parts.emplace_back(fontName(node.font));
  if (node.foreground.role != ColorRole::primary)
    parts.emplace_back(roleName(node.foreground.role));
  if (node.foreground.opacity != 1)
    parts.push_back("opacity " + shortestNumber(node.foreground.opacity));
  if (node.monospacedDigits) parts.emplace_back("monospaced digits");
  return parts.empty() ? "" : " (" + joined(parts, ", ") + ")";
}

// `kind "text"`, with the accessibility label where it differs.
std::string titled(const ViewNode& node) {
  std::string line = kindName(node.kind());
  if (!node.text.empty()) line += " " + quotedLiteral(node.text);
  if (!node.accessibilityLabel.empty() && node.accessibilityLabel != node.text) {
    line += " [label " + quotedLiteral(node.accessibilityLabel) + "]";
  }
  return line;
}

std::string segments(const kinds::Segmented& control) {
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < control.segments.size(); ++i) {
    const bool chosen = int(i) == control.selected;
    parts.push_back(chosen ? "[" + control.segments[i] + "]" : control.segments[i]);
  }
  return joined(parts, " ");
}

std::string slider(const kinds::Slider& slider) {
  const SliderRange& range = slider.range;
  return shortestNumber(slider.value) + " (" + shortestNumber(range.minimum) + " to " +
         shortestNumber(range.maximum) +
         (range.step > 0 ? ", step " + shortestNumber(range.step) : "") + ")";
}

std::string colour(const std::optional<Color>& color) {
  return color ? " " + hexColor(*color) : "";
}

const char* onOff(bool on) { return on ? ": on" : ": off"; }

void describe(const ViewNode& node, const std::string& indent, std::vector<std::string>& lines) {
  switch (node.kind()) {
    case ViewKind::verticalStack:
    case ViewKind::horizontalStack:
      for (const ViewNode& child : node.children) describe(child, indent, lines);
      return;
    case ViewKind::spacer: return;
    case ViewKind::divider: lines.push_back(indent + "divider"); return;
    case ViewKind::text: lines.push_back(indent + titled(node) + textStyle(node)); return;
    case ViewKind::image: {
      const std::optional<PlatformImage>& image = node.as<kinds::Image>().image;
      const Size size = node.frame.width > 0 ? Size{node.frame.width, node.frame.height}
                                             : (image ? image->size() : Size{});
      lines.push_back(indent + titled(node) + " " + shortestNumber(size.width) + " x " +
                      shortestNumber(size.height));
      return;
    }
    case ViewKind::checkbox:
      lines.push_back(indent + titled(node) + onOff(node.as<kinds::Checkbox>().on));
      return;
    case ViewKind::toggleSwitch:
      lines.push_back(indent + titled(node) + onOff(node.as<kinds::ToggleSwitch>().on));
      return;
    case ViewKind::segmented:
      lines.push_back(indent + titled(node) + ": " + segments(node.as<kinds::Segmented>()));
      return;
    case ViewKind::slider:
      lines.push_back(indent + titled(node) + ": " + slider(node.as<kinds::Slider>()));
      return;
    case ViewKind::swatch: {
      const kinds::Swatch& swatch = node.as<kinds::Swatch>();
      lines.push_back(indent + titled(node) + colour(swatch.color) +
                      (swatch.selected ? " (ringed)" : ""));
      return;
    }
    case ViewKind::button: lines.push_back(indent + titled(node)); return;
    case ViewKind::tab:
      lines.push_back(indent + titled(node) +
                      (node.as<kinds::Tab>().selected ? " (selected)" : ""));
      return;
    case ViewKind::colorButton:
      lines.push_back(indent + titled(node) + colour(node.as<kinds::ColorButton>().color));
      return;
    case ViewKind::disclosure:
      lines.push_back(indent + titled(node) + (node.collapsed() ? ": collapsed" : ": expanded"));
      if (!node.collapsed()) {
        for (const ViewNode& child : node.children) describe(child, indent + "  ", lines);
      }
      return;
    case ViewKind::scrollText: {
      lines.push_back(indent + kindName(node.kind()) + textStyle(node));
      for (const std::string& line : splitLines(node.text)) {
        lines.push_back(indent + "| " + escapedControls(line));
      }
      return;
    }
  }
}

}  // namespace

std::vector<std::string> outline(const ViewNode& root) {
  std::vector<std::string> lines;
  describe(root, "", lines);
  return lines;
}

}  // namespace lumetta::sim
