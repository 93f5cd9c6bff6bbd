// The layout engine: a measuring pass (the size a node takes for the width
// it is offered) and a placing pass that sets frames top-down, measuring each
// child again for the width its parent gives it. Both passes ask for the same
// sizes many times over (a row measures a child for the width available, for
// what the others leave it and for the width it gets; placing asks again), so
// a layout remembers every size it found, by node and width, and every answer
// of the metrics, by node: each text and control is measured once per width
// it is offered, however deep it lies.
#include "menu/menu_layout.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/control_parts.h"

namespace lumetta {

namespace {

double spacingOf(const ViewNode& node) { return node.spacing.value_or(kDefaultSpacing); }

bool isStack(const ViewNode& node) {
  return node.kind() == ViewKind::verticalStack || node.kind() == ViewKind::horizontalStack;
}

// The children shown: a collapsed disclosure hides its own.
const std::vector<ViewNode>& shownChildren(const ViewNode& node) {
  static const std::vector<ViewNode> none;
  if (node.collapsed()) return none;
  return node.children;
}

// Whether the node takes whatever width it is offered.
bool stretches(const ViewNode& node) {
  if (node.width) return false;
  if (node.fillsWidth || node.kind() == ViewKind::spacer || node.kind() == ViewKind::slider) {
    return true;
  }
  if (!isStack(node)) return false;
  return std::any_of(node.children.begin(), node.children.end(),
                     [](const ViewNode& child) { return stretches(child); });
}

class Layout {
 public:
  explicit Layout(ViewMetrics& metrics) : metrics_(metrics) {}

  Size measure(const ViewNode& node, double offered) {
    const Key key{&node, std::bit_cast<std::uint64_t>(offered)};
    if (const auto found = measured_.find(key); found != measured_.end()) return found->second;
    const Size size = measureAnew(node, offered);
    measured_.emplace(key, size);
    return size;
  }

  void place(ViewNode& node, Rect frame) {
    node.frame = frame;
    const Rect inner{frame.x + node.padding.leading, frame.y + node.padding.top,
                     std::max(0.0, frame.width - node.padding.leading - node.padding.trailing),
                     std::max(0.0, frame.height - node.padding.top - node.padding.bottom)};
    if (node.kind() == ViewKind::horizontalStack) {
      placeRow(node, inner);
    } else if (node.kind() == ViewKind::verticalStack) {
      placeColumn(node.children, node, inner.y, inner);
    } else if (node.kind() == ViewKind::disclosure && !node.collapsed()) {
      const double header = controlSize(node).height;
      placeColumn(node.children, node, inner.y + header + spacingOf(node), inner);
    }
  }

 private:
  // A node and a width, the width by its bits: -0 and 0 are two widths here,
  // as they may be to the metrics.
  using Key = std::pair<const ViewNode*, std::uint64_t>;

  Size measureAnew(const ViewNode& node, double offered) {
    const double outer = node.width.value_or(offered);
    const double horizontal = node.padding.leading + node.padding.trailing;
    const double vertical = node.padding.top + node.padding.bottom;
    Size content = contentSize(node, std::max(0.0, outer - horizontal));
    Size size{content.width + horizontal, content.height + vertical};
    if (node.fillsWidth) size.width = offered;
    if (node.width) size.width = *node.width;
    if (node.height) size.height = *node.height;
    return size;
  }

  // The node's text in its font, wrapped to `maxWidth` when given.
  Size textSize(const ViewNode& node, bool monospacedDigits, std::optional<double> maxWidth) {
    const double width = maxWidth.value_or(std::numeric_limits<double>::infinity());
    const Key key{&node, std::bit_cast<std::uint64_t>(width)};
    if (const auto found = texts_.find(key); found != texts_.end()) return found->second;
    const Size size = metrics_.textSize(node.text, node.font, monospacedDigits, maxWidth);
    texts_.emplace(key, size);
    return size;
  }

  Size controlSize(const ViewNode& node) {
    if (const auto found = controls_.find(&node); found != controls_.end()) return found->second;
    const Size size = metrics_.controlSize(node);
    controls_.emplace(&node, size);
    return size;
  }

  Size contentSize(const ViewNode& node, double width) {
    switch (node.kind()) {
      case ViewKind::verticalStack: return columnSize(node.children, node, width);
      case ViewKind::horizontalStack: return rowSize(node, width);
      case ViewKind::disclosure: {
        Size header = controlSize(node);
        header.width = std::min(header.width, width);
        if (shownChildren(node).empty()) return header;
        const Size children = columnSize(node.children, node, width);
        return {std::max(header.width, children.width),
                header.height + spacingOf(node) + children.height};
      }
      case ViewKind::spacer: return {};
      case ViewKind::divider: return {width, kDividerThickness};
      case ViewKind::text:
      case ViewKind::scrollText: {
        const auto* text = std::get_if<kinds::Text>(&node.content);
        const Size size =
            textSize(node, node.monospacedDigits,
                     text && text->wraps ? std::optional<double>(width) : std::nullopt);
        return {std::min(size.width, width), size.height};
      }
      case ViewKind::image: {
        const std::optional<PlatformImage>& image = node.as<kinds::Image>().image;
        return image ? image->size() : Size{};
      }
      case ViewKind::slider:
        return {std::max(width, controlSize(node).width), controlSize(node).height};
      case ViewKind::tab: return textSize(node, false, std::nullopt);
      case ViewKind::swatch: return {ControlParts::kSwatchDiameter, ControlParts::kSwatchDiameter};
      case ViewKind::colorButton: {
        const Size text = textSize(node, false, std::nullopt);
        return {ControlParts::kWellWidth + ControlParts::kWellSpacing + text.width,
                std::max(ControlParts::kWellHeight, text.height)};
      }
      case ViewKind::button:
      case ViewKind::checkbox:
      case ViewKind::toggleSwitch:
      case ViewKind::segmented: {
        const Size control = controlSize(node);
        return {std::min(control.width, width), control.height};
      }
    }
    return {};
  }

  Size columnSize(const std::vector<ViewNode>& children, const ViewNode& node, double width) {
    Size size;
    for (const ViewNode& child : children) {
      const Size measured = measure(child, width);
      size.width = std::max(size.width, std::min(measured.width, width));
      size.height += measured.height;
    }
    if (!children.empty()) size.height += spacingOf(node) * double(children.size() - 1);
    if (stretches(node)) size.width = width;
    return size;
  }

  // Each child's width in a row whose content is `width` wide.
  std::vector<double> rowWidths(const ViewNode& row, double width) {
    const std::vector<ViewNode>& children = row.children;
    const double gaps = children.empty() ? 0 : spacingOf(row) * double(children.size() - 1);
    const double available = std::max(0.0, width - gaps);
    std::vector<double> widths(children.size(), 0);
    double rigid = 0;
    double flexibleMinimum = 0;
    std::size_t flexibleCount = 0;
    for (std::size_t i = 0; i < children.size(); ++i) {
      if (stretches(children[i])) {
        ++flexibleCount;
        flexibleMinimum += minimumWidth(children[i]);
      } else {
        widths[i] = measure(children[i], available).width;
        rigid += widths[i];
      }
    }
    // Too wide: offer each rigid child, in order, what the others leave.
    for (std::size_t i = 0; i < children.size() && rigid + flexibleMinimum > available; ++i) {
      if (stretches(children[i])) continue;
      const double left = std::max(0.0, available - flexibleMinimum - (rigid - widths[i]));
      const double shrunk = std::min(widths[i], measure(children[i], left).width);
      rigid -= widths[i] - shrunk;
      widths[i] = shrunk;
    }
    if (flexibleCount > 0) {
      const double share = std::max(0.0, available - rigid) / double(flexibleCount);
      for (std::size_t i = 0; i < children.size(); ++i) {
        if (stretches(children[i])) widths[i] = std::max(share, minimumWidth(children[i]));
      }
    }
    return widths;
  }

  double minimumWidth(const ViewNode& node) {
    return node.kind() == ViewKind::slider ? controlSize(node).width : 0;
  }

  Size rowSize(const ViewNode& row, double width) {
    const std::vector<double> widths = rowWidths(row, width);
    Size size;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      size.width += widths[i];
      size.height = std::max(size.height, measure(row.children[i], widths[i]).height);
    }
    if (!widths.empty()) size.width += spacingOf(row) * double(widths.size() - 1);
    if (stretches(row)) size.width = width;
    return size;
  }

  void placeRow(ViewNode& row, const Rect& inner) {
    const std::vector<double> widths = rowWidths(row, inner.width);
    double x = inner.x;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      ViewNode& child = row.children[i];
      const double height = measure(child, widths[i]).height;
      const double y =
          row.alignment == Alignment::center ? inner.y + (inner.height - height) / 2 : inner.y;
      place(child, {x, y, widths[i], height});
      x += widths[i] + spacingOf(row);
    }
  }

  void placeColumn(std::vector<ViewNode>& children, const ViewNode& parent, double top,
                   const Rect& inner) {
    double y = top;
    for (ViewNode& child : children) {
      const Size size = measure(child, inner.width);
      const double width = std::min(size.width, inner.width);
      const double x =
          parent.alignment == Alignment::center ? inner.x + (inner.width - width) / 2 : inner.x;
      place(child, {x, y, width, size.height});
      y += size.height + spacingOf(parent);
    }
  }

  ViewMetrics& metrics_;
  std::map<Key, Size> measured_;
  std::map<Key, Size> texts_;
  std::map<const ViewNode*, Size> controls_;
};

}  // namespace

Size layOut(ViewNode& root, ViewMetrics& metrics, double width) {
  Layout layout(metrics);
  const Size size = layout.measure(root, width);
  layout.place(root, {0, 0, size.width, size.height});
  return size;
}

}  // namespace lumetta
