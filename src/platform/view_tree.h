// A small declarative view vocabulary: what the menu-bar popover shows, as
// portable data. Portable code builds a tree of `ViewNode`s from the state it
// shows, lays it out (every node's `frame`, in the popover's coordinates:
// origin at the top-left corner, y downwards, points) and hands it to the
// menu-bar service; each backend shows the laid-out tree with its own
// controls (native AppKit controls on macOS, Cairo drawing on the simulated
// desktop) and turns the user's input into the nodes' actions. No backend
// decides what is shown, in which words, or where.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/image.h"
#include "platform/view_kinds.h"

namespace lumetta {

// The platform's font roles.
enum class FontRole {
  body,  // the default font
  headline,
  caption,
  tab,          // the system font at 13 points: semibold when selected, else medium
  monospaced10  // the system monospaced font at 10 points
};

// The platform's colour roles; a backend picks the real colour.
enum class ColorRole { primary, secondary, accent, red, white, clear };

struct Fill {
  ColorRole role = ColorRole::primary;
  double opacity = 1;
  bool operator==(const Fill&) const = default;
};

enum class Alignment { leading, center };

// A folder tab's outline: top corners rounded with a 9-point radius, bottom
// corners square; `rotated` turns it by 180 degrees (rounded bottom corners).
struct FolderTabShape {
  bool rotated = false;
  static constexpr double kRadius = 9;
  bool operator==(const FolderTabShape&) const = default;
};

struct Insets {
  double top = 0, leading = 0, bottom = 0, trailing = 0;
  static constexpr Insets all(double v) { return {v, v, v, v}; }
  bool operator==(const Insets&) const = default;
};

struct ViewNode {
  // The kind, with its value and action (platform/view_kinds.h).
  ViewContent content;

  // Content.
  std::string text;                // the title, label or text shown
  std::string accessibilityLabel;  // empty: `text`
  std::string help;                // tooltip
  FontRole font = FontRole::body;
  bool monospacedDigits = false;
  Fill foreground;
  bool accessibilityHidden = false;

  // Arrangement.
  // A stack's children across its axis (leading: top in a horizontal
  // stack); a text within a frame wider than it.
  Alignment alignment = Alignment::leading;
  std::optional<double> spacing;  // stacks, disclosure; nothing: the platform's default
  Insets padding;
  std::optional<double> width;  // fixed frame
  std::optional<double> height;
  bool fillsWidth = false;  // stretched to the width its stack offers
  std::optional<Fill> background;
  std::optional<FolderTabShape> backgroundShape;  // the background's outline
  std::vector<ViewNode> children;                 // stacks, disclosure

  // Set by layout.
  Rect frame;

  ViewKind kind() const { return ViewKind(content.index()); }
  // The node's own data, which must be of its kind.
  template <class Kind>
  Kind& as() {
    return std::get<Kind>(content);
  }
  template <class Kind>
  const Kind& as() const {
    return std::get<Kind>(content);
  }

  const std::string& label() const {
    return accessibilityLabel.empty() ? text : accessibilityLabel;
  }
  // A tab or swatch shown selected.
  bool selected() const {
    if (const auto* tab = std::get_if<kinds::Tab>(&content)) return tab->selected;
    if (const auto* swatch = std::get_if<kinds::Swatch>(&content)) return swatch->selected;
    return false;
  }
  // A disclosure that hides its children.
  bool collapsed() const {
    const auto* disclosure = std::get_if<kinds::Disclosure>(&content);
    return disclosure && !disclosure->on;
  }
};

// How big the platform draws text and controls, for layout.
class ViewMetrics {
 public:
  virtual ~ViewMetrics() = default;
  // The size of `text` in the node's font; wrapped to `maxWidth` when given.
  virtual Size textSize(const std::string& text, FontRole font, bool monospacedDigits,
                        std::optional<double> maxWidth) = 0;
  // The natural size of a control node (button, checkbox, switch, segmented,
  // slider, disclosure header) with its texts; a slider's width is its
  // smallest useful width.
  virtual Size controlSize(const ViewNode& node) = 0;
};

}  // namespace lumetta
