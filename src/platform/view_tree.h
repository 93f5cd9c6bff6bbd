// A small declarative view vocabulary: what the menu-bar popover shows, as
// portable data. Portable code builds a tree of `ViewNode`s from the state it
// shows, lays it out (every node's `frame`, in the popover's coordinates:
// origin at the top-left corner, y downwards, points) and hands it to the
// menu-bar service; each backend shows the laid-out tree with its own
// controls (native AppKit controls on macOS, Cairo drawing on the simulated
// desktop) and turns the user's input into the nodes' actions. No backend
// decides what is shown, in which words, or where.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/image.h"

namespace lumetta {

enum class ViewKind {
  verticalStack,    // children top to bottom
  horizontalStack,  // children leading to trailing
  spacer,           // flexible space along its stack's axis
  divider,          // a thin separator line across the stack
  text,
  image,
  button,        // push button with `text`; `plain` for borderless
  checkbox,      // `text` beside a check box showing `on`
  toggleSwitch,  // `text` with a switch showing `on`
  segmented,     // `text` labels a segmented control of `segments`
  slider,        // `value` within `range`
  tab,           // a folder tab: `text`, `selected`
  swatch,        // a starter colour: a circle of `color`, ringed when `selected`
  colorButton,   // a rounded rectangle of `color` and `text`
  disclosure,    // `text` and a disclosure triangle; children shown while `on`
  scrollText,    // `text` in a scrolling, selectable text view
};

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

struct SliderRange {
  double minimum = 0;
  double maximum = 1;
  double step = 0;  // 0: continuous
  bool operator==(const SliderRange&) const = default;
};

struct ViewNode {
  ViewKind kind = ViewKind::verticalStack;

  // Content.
  std::string text;                // the title, label or text shown
  std::string accessibilityLabel;  // empty: `text`
  std::string help;                // tooltip
  FontRole font = FontRole::body;
  bool monospacedDigits = false;
  Fill foreground;
  bool wraps = false;  // text: wraps to the width it is given, at its ideal height
  bool accessibilityHidden = false;
  bool selected = false;       // tab, swatch: also the accessibility trait
  bool plain = false;          // button: borderless
  std::optional<Color> color;  // swatch, colour button
  std::optional<PlatformImage> image;

  // Values.
  bool on = false;  // checkbox, switch, disclosure (expanded)
  double value = 0;
  SliderRange range;
  std::vector<std::string> segments;
  int selectedSegment = -1;

  // Arrangement.
  // A stack's children across its axis (leading: top in a horizontal
  // stack); a text within a frame wider than it.
  Alignment alignment = Alignment::leading;
  std::optional<double> spacing;  // stacks; nothing: the platform's default
  Insets padding;
  std::optional<double> width;  // fixed frame
  std::optional<double> height;
  bool fillsWidth = false;  // stretched to the width its stack offers
  std::optional<Fill> background;
  std::optional<FolderTabShape> backgroundShape;  // the background's outline
  std::vector<ViewNode> children;

  // Set by layout.
  Rect frame;

  // Actions, on the main thread: a press (button, tab, swatch, colour
  // button), a new truth value (checkbox, switch, disclosure), a slider
  // value, a segment index.
  std::function<void()> onPress;
  std::function<void(bool)> onToggle;
  std::function<void(double)> onSlide;
  std::function<void(int)> onSelect;

  const std::string& label() const {
    return accessibilityLabel.empty() ? text : accessibilityLabel;
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
