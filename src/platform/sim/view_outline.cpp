#include "platform/sim/view_outline.h"

#include "platform/sim/view_search.h"
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
  std::string line = kindName(node.kind);
  if (!node.text.empty()) line += " " + quotedLiteral(node.text);
  if (!node.accessibilityLabel.empty() && node.accessibilityLabel != node.text) {
    line += " [label " + quotedLiteral(node.accessibilityLabel) + "]";
  }
  return line;
}

std::string segments(const ViewNode& node) {
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < node.segments.size(); ++i) {
    const bool chosen = int(i) == node.selectedSegment;
    parts.push_back(chosen ? "[" + node.segments[i] + "]" : node.segments[i]);
  }
  return joined(parts, " ");
}

void describe(const ViewNode& node, const std::string& indent, std::vector<std::string>& lines) {
  const std::string colour = node.color ? " " + hexColor(*node.color) : "";
  const std::string selected = node.selected ? " (selected)" : "";
  switch (node.kind) {
    case ViewKind::verticalStack:
    case ViewKind::horizontalStack:
      for (const ViewNode& child : node.children) describe(child, indent, lines);
      return;
    case ViewKind::spacer: return;
    case ViewKind::divider: lines.push_back(indent + "divider"); return;
    case ViewKind::text: lines.push_back(indent + titled(node) + textStyle(node)); return;
    case ViewKind::image: {
      const Size size = node.frame.width > 0 ? Size{node.frame.width, node.frame.height}
                                             : (node.image ? node.image->size() : Size{});
      lines.push_back(indent + titled(node) + " " + shortestNumber(size.width) + " x " +
                      shortestNumber(size.height));
      return;
    }
    case ViewKind::checkbox:
    case ViewKind::toggleSwitch:
      lines.push_back(indent + titled(node) + (node.on ? ": on" : ": off"));
      return;
    case ViewKind::segmented:
      lines.push_back(indent + titled(node) + ": " + segments(node));
      return;
    case ViewKind::slider:
      lines.push_back(
          indent + titled(node) + ": " + shortestNumber(node.value) + " (" +
          shortestNumber(node.range.minimum) + " to " + shortestNumber(node.range.maximum) +
          (node.range.step > 0 ? ", step " + shortestNumber(node.range.step) : "") + ")");
      return;
    case ViewKind::swatch:
      lines.push_back(indent + titled(node) + colour + (node.selected ? " (ringed)" : ""));
      return;
    case ViewKind::button:
    case ViewKind::tab:
    case ViewKind::colorButton: lines.push_back(indent + titled(node) + colour + selected); return;
    case ViewKind::disclosure:
      lines.push_back(indent + titled(node) + (node.on ? ": expanded" : ": collapsed"));
      if (node.on) {
        for (const ViewNode& child : node.children) describe(child, indent + "  ", lines);
      }
      return;
    case ViewKind::scrollText: {
      lines.push_back(indent + kindName(node.kind) + textStyle(node));
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
