// Text as the simulated desktop sets it: Pango layouts in the platform's font
// roles, measured and drawn in points. Layouts ignore hinting and glyph-position
// rounding, so a text measured once has the same size at every backing scale.
//
// Implements: the font roles (Inter, else DejaVu Sans; DejaVu Sans Mono for the
// monospaced role), weights, tabular digits, wrapping to a width.
// Ignores: the user's font settings and Dynamic Type.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/view_tree.h"

namespace lumetta::sim {

struct TextStyle {
  FontRole font = FontRole::body;
  bool emphasized = false;  // a selected tab's semibold; else the role's own weight
  bool monospacedDigits = false;
  bool operator==(const TextStyle&) const = default;
};

// Owns a reference to a GObject.
struct GObjectRelease {
  void operator()(void* object) const;
};
using LayoutPtr = std::unique_ptr<PangoLayout, GObjectRelease>;

// One per thread that lays out text (Pango's font map is per thread).
class PangoText {
 public:
  PangoText();
  PangoText(const PangoText&) = delete;
  PangoText& operator=(const PangoText&) = delete;

  // `text` in `style`, wrapped at `wrapWidth` points when given (at least one
  // character a line). Invalid UTF-8 shows as replacement characters.
  LayoutPtr layout(const std::string& text, TextStyle style,
                   std::optional<double> wrapWidth = std::nullopt) const;
  // A layout's logical size in points.
  static Size sizeOf(PangoLayout* layout);
  // The height of one line of `style`.
  double lineHeight(TextStyle style) const;
  // Draws `layout` with its top-left corner at the current point.
  static void show(cairo_t* cr, PangoLayout* layout);

 private:
  std::unique_ptr<PangoContext, GObjectRelease> context_;
};

}  // namespace lumetta::sim
