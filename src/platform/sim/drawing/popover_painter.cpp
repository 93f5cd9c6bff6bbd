#include "platform/sim/drawing/popover_painter.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/control_parts.h"
#include "platform/sim/drawing/cairo_image.h"
#include "platform/sim/drawing/cairo_shapes.h"
#include "platform/sim/drawing/control_style.h"
#include "platform/sim/drawing/pango_text.h"

namespace lumetta::sim {

namespace {

using namespace controls;

constexpr Color kPopoverFill{0.16, 0.16, 0.17, 0.94};
constexpr Color kBezel{1, 1, 1, 0.16};
constexpr Color kBezelHighlight{1, 1, 1, 0.08};
constexpr Color kWell{1, 1, 1, 0.09};
constexpr Color kWellEdge{1, 1, 1, 0.22};
constexpr Color kKnob{0.86, 0.86, 0.87, 1};
constexpr Color kShadow{0, 0, 0, 0.35};

enum class HorizontalPlacement { leading, center };

class Painter {
 public:
  explicit Painter(cairo_t* cr) : cr_(cr) {}

  void paint(const ViewNode& node) {
    if (node.background) paintBackground(node);
    switch (node.kind()) {
      case ViewKind::verticalStack:
      case ViewKind::horizontalStack:
        for (const ViewNode& child : node.children) paint(child);
        return;
      case ViewKind::spacer: return;
      case ViewKind::divider: return paintDivider(node.frame);
      case ViewKind::text: return paintText(node);
      case ViewKind::image: return paintImage(node);
      case ViewKind::button: return paintButton(node);
      case ViewKind::checkbox: return paintCheckbox(node);
      case ViewKind::toggleSwitch: return paintSwitch(node);
      case ViewKind::segmented: return paintSegmented(node);
      case ViewKind::slider: return paintSlider(node);
      case ViewKind::tab: return paintTab(node);
      case ViewKind::swatch: return paintSwatch(node);
      case ViewKind::colorButton: return paintColorButton(node);
      case ViewKind::disclosure:
        paintDisclosureHeader(node);
        if (!node.collapsed()) {
          for (const ViewNode& child : node.children) paint(child);
        }
        return;
      case ViewKind::scrollText: return paintScrollText(node);
    }
  }

 private:
  static TextStyle styleOf(const ViewNode& node) {
    return {node.font, node.font == FontRole::tab && node.selected(), node.monospacedDigits};
  }

  void fill(Color color) {
    setColor(cr_, color);
    cairo_fill(cr_);
  }

  // Strokes `width` wide just inside the rounded rectangle `r`.
  void innerStroke(Rect r, double radius, double width, Color color) {
    roundedRectPath(cr_, inset(r, width / 2), radius - width / 2);
    setColor(cr_, color);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
  }

  void circle(Point centre, double radius) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, centre.x, centre.y, std::max(0.0, radius), 0, 2 * M_PI);
  }

  // Draws `text` within `frame`, centred vertically: wrapped to the frame's
  // width when `wraps`, else on one line ending in an ellipsis when it does
  // not fit. Returns the width drawn.
  double drawText(const std::string& text, TextStyle style, Color color, Rect frame,
                  HorizontalPlacement placement = HorizontalPlacement::leading,
                  bool wraps = false) {
    if (text.empty() || color.alpha <= 0) return 0;
    LayoutPtr layout = text_.layout(text, style, wraps ? std::optional(frame.width) : std::nullopt);
    Size size = PangoText::sizeOf(layout.get());
    if (!wraps && size.width > frame.width + 0.5) {
      pango_layout_set_width(layout.get(), int(std::max(1.0, frame.width) * PANGO_SCALE));
      pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
      size = PangoText::sizeOf(layout.get());
    }
    if (wraps && placement == HorizontalPlacement::center) {
      pango_layout_set_alignment(layout.get(), PANGO_ALIGN_CENTER);
    }
    double x = frame.minX();
    if (!wraps && placement == HorizontalPlacement::center) {
      x += std::max(0.0, (frame.width - size.width) / 2);
    }
    const double y = frame.minY() + std::max(0.0, (frame.height - size.height) / 2);
    setColor(cr_, color);
    cairo_move_to(cr_, x, y);
    PangoText::show(cr_, layout.get());
    return std::min(size.width, frame.width);
  }

  double textWidth(const std::string& text, TextStyle style) {
    return text.empty() ? 0 : PangoText::sizeOf(text_.layout(text, style).get()).width;
  }

  void paintBackground(const ViewNode& node) {
    if (node.backgroundShape) {
      folderTabPath(cr_, node.frame, *node.backgroundShape);
    } else {
      cairo_rectangle(cr_, node.frame.minX(), node.frame.minY(), std::abs(node.frame.width),
                      std::abs(node.frame.height));
    }
    fill(colorOf(*node.background));
  }

  void paintDivider(Rect frame) {
    const Color color = colorOf(Fill{ColorRole::primary, 0.15});
    if (frame.height > frame.width) {
      cairo_rectangle(cr_, std::round(midX(frame)) - 0.5, frame.minY(), 1, frame.height);
    } else {
      cairo_rectangle(cr_, frame.minX(), std::round(midY(frame)) - 0.5, frame.width, 1);
    }
    fill(color);
  }

  void paintText(const ViewNode& node) {
    const auto placement = node.alignment == Alignment::center ? HorizontalPlacement::center
                                                               : HorizontalPlacement::leading;
    drawText(node.text, styleOf(node), colorOf(node.foreground), inset(node.frame, node.padding),
             placement, node.as<kinds::Text>().wraps);
  }

  void paintImage(const ViewNode& node) {
    const std::optional<PlatformImage>& shown = node.as<kinds::Image>().image;
    const auto* image = shown ? dynamic_cast<const CairoImage*>(&shown->impl()) : nullptr;
    const Size size = image ? image->size() : Size{};
    const Rect frame = inset(node.frame, node.padding);
    if (!image || size.width <= 0 || size.height <= 0 || frame.width <= 0 || frame.height <= 0) {
      return;
    }
    // Scaled to fit, centred.
    const double scale = std::min(frame.width / size.width, frame.height / size.height);
    const double pixels = size.width / double(cairo_image_surface_get_width(image->surface()));
    cairo_save(cr_);
    cairo_translate(cr_, midX(frame) - size.width * scale / 2,
                    midY(frame) - size.height * scale / 2);
    cairo_scale(cr_, scale * pixels, scale * pixels);
    cairo_set_source_surface(cr_, image->surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_BEST);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);  // crisp edges
    cairo_rectangle(cr_, 0, 0, cairo_image_surface_get_width(image->surface()),
                    cairo_image_surface_get_height(image->surface()));
    cairo_fill(cr_);
    cairo_restore(cr_);
  }

  // A push button's bezel, kButtonHeight high, centred in `frame`.
  void paintBezel(Rect frame) {
    const double height = std::min(kButtonHeight, frame.height);
    const Rect bezel{frame.minX(), midY(frame) - height / 2, frame.width, height};
    roundedRectPath(cr_, {bezel.x, bezel.y + 0.5, bezel.width, bezel.height}, kButtonRadius);
    fill(kShadow);
    roundedRectPath(cr_, bezel, kButtonRadius);
    fill(kBezel);
    cairo_save(cr_);
    roundedRectPath(cr_, bezel, kButtonRadius);
    cairo_clip(cr_);
    cairo_rectangle(cr_, bezel.x, bezel.y, bezel.width, 0.5);
    fill(kBezelHighlight);
    cairo_restore(cr_);
  }

  void paintButton(const ViewNode& node) {
    const Rect frame = inset(node.frame, node.padding);
    if (node.as<kinds::Button>().plain) {
      drawText(node.text, styleOf(node), colorOf(node.foreground), frame);
      return;
    }
    paintBezel(frame);
    drawText(node.text, styleOf(node), colorOf(node.foreground),
             inset(frame, Insets{0, kButtonPadding, 0, kButtonPadding}),
             HorizontalPlacement::center);
  }

  void paintCheckbox(const ViewNode& node) {
    const Rect frame = inset(node.frame, node.padding);
    const Rect box{frame.minX(), midY(frame) - kCheckboxBox / 2, kCheckboxBox, kCheckboxBox};
    const double radius = 3.5;
    if (node.as<kinds::Checkbox>().on) {
      roundedRectPath(cr_, box, radius);
      fill(colorOf(ColorRole::accent));
      cairo_move_to(cr_, box.x + 3.5, box.y + 7.2);
      cairo_line_to(cr_, box.x + 6, box.y + 10);
      cairo_line_to(cr_, box.x + 10.5, box.y + 4);
      cairo_set_line_width(cr_, 1.8);
      cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
      setColor(cr_, colorOf(ColorRole::white));
      cairo_stroke(cr_);
    } else {
      roundedRectPath(cr_, box, radius);
      fill(kWell);
      innerStroke(box, radius, 1, kWellEdge);
    }
    drawText(node.text, styleOf(node), colorOf(node.foreground),
             inset(frame, Insets{0, kCheckboxBox + kCheckboxGap, 0, 0}));
  }

  void paintSwitch(const ViewNode& node) {
    const bool on = node.as<kinds::ToggleSwitch>().on;
    const Rect frame = inset(node.frame, node.padding);
    const Rect track{frame.maxX() - kSwitchWidth, midY(frame) - kSwitchHeight / 2, kSwitchWidth,
                     kSwitchHeight};
    roundedRectPath(cr_, track, kSwitchHeight / 2);
    fill(on ? colorOf(ColorRole::accent) : Color{1, 1, 1, 0.16});
    if (!on) innerStroke(track, kSwitchHeight / 2, 1, Color{1, 1, 1, 0.08});
    const double knob = kSwitchHeight / 2 - 1;
    const Point centre{on ? track.maxX() - 1 - knob : track.minX() + 1 + knob, midY(track)};
    circle({centre.x, centre.y + 0.5}, knob + 0.25);
    fill(kShadow);
    circle(centre, knob);
    fill(on ? colorOf(ColorRole::white) : kKnob);
    drawText(node.text, styleOf(node), colorOf(node.foreground),
             inset(frame, Insets{0, 0, 0, kSwitchWidth + ControlParts::kLabelGap}));
  }

  void paintSegmented(const ViewNode& node) {
    const std::vector<std::string>& segments = node.as<kinds::Segmented>().segments;
    const int chosen = node.as<kinds::Segmented>().selected;
    const Rect frame = inset(node.frame, node.padding);
    const TextStyle style = styleOf(node);
    double x = frame.minX();
    if (!node.text.empty()) {
      x += drawText(node.text, style, colorOf(node.foreground), frame) + ControlParts::kLabelGap;
    }
    const Rect control{x, midY(frame) - kSegmentedHeight / 2, std::max(0.0, frame.maxX() - x),
                       kSegmentedHeight};
    roundedRectPath(cr_, control, 6);
    fill(kWell);
    if (segments.empty()) return;
    const auto count = int(segments.size());
    const double width = control.width / count;
    for (int index = 0; index < count; ++index) {
      const Rect segment{control.x + width * index, control.y, width, control.height};
      const bool selected = index == chosen;
      if (selected) {
        const Rect pill = inset(segment, 2);
        roundedRectPath(cr_, {pill.x, pill.y + 0.5, pill.width, pill.height}, 4.5);
        fill(kShadow);
        roundedRectPath(cr_, pill, 4.5);
        fill(Color{1, 1, 1, 0.3});
      } else if (index > 0 && index - 1 != chosen) {
        cairo_rectangle(cr_, std::round(segment.x) - 0.5, segment.y + 5, 1, segment.height - 10);
        fill(Color{1, 1, 1, 0.15});
      }
      drawText(segments[size_t(index)], style,
               selected ? colorOf(ColorRole::white) : colorOf(node.foreground),
               inset(segment, Insets{0, 4, 0, 4}), HorizontalPlacement::center);
    }
  }

  void paintSlider(const ViewNode& node) {
    const Rect frame = inset(node.frame, node.padding);
    const kinds::Slider& slider = node.as<kinds::Slider>();
    const SliderRange& range = slider.range;
    const double span = range.maximum - range.minimum;
    double fraction = span > 0 ? (slider.value - range.minimum) / span : 0;
    fraction = std::isnan(fraction) ? 0 : std::clamp(fraction, 0.0, 1.0);
    const double knob = kSliderKnob / 2;
    const double y = midY(frame);
    const double knobX = frame.minX() + knob + fraction * std::max(0.0, frame.width - 2 * knob);
    const Rect track{frame.minX(), y - kSliderTrack / 2, frame.width, kSliderTrack};
    roundedRectPath(cr_, track, kSliderTrack / 2);
    fill(Color{1, 1, 1, 0.16});
    roundedRectPath(cr_, {track.x, track.y, knobX - track.x, track.height}, kSliderTrack / 2);
    fill(colorOf(ColorRole::accent));
    circle({knobX, y + 0.5}, knob + 0.25);
    fill(kShadow);
    circle({knobX, y}, knob);
    fill(kKnob);
  }

  void paintTab(const ViewNode& node) {
    const Rect frame = node.frame;
    if (node.as<kinds::Tab>().selected) {
      const Rect capsule{midX(frame) - ControlParts::kMarkerWidth / 2,
                         frame.minY() + ControlParts::kMarkerTop, ControlParts::kMarkerWidth,
                         ControlParts::kMarkerHeight};
      roundedRectPath(cr_, capsule, ControlParts::kMarkerHeight / 2);
      fill(colorOf(ColorRole::accent));
    }
    drawText(node.text, styleOf(node), colorOf(node.foreground), inset(frame, node.padding),
             HorizontalPlacement::center);
  }

  void paintSwatch(const ViewNode& node) {
    const kinds::Swatch& swatch = node.as<kinds::Swatch>();
    const Rect frame = node.frame;
    const Rect padded = inset(frame, node.padding);
    const double diameter = std::min({ControlParts::kSwatchDiameter, padded.width, padded.height});
    const Point centre{midX(frame), midY(frame)};
    circle(centre, diameter / 2);
    fill(swatch.color.value_or(Color::clear()));
    circle(centre, diameter / 2 - ControlParts::kEdgeWidth / 2);
    setColor(cr_, colorOf(ControlParts::kEdge));
    cairo_set_line_width(cr_, ControlParts::kEdgeWidth);
    cairo_stroke(cr_);
    if (swatch.selected) {
      circle(centre, std::min(frame.width, frame.height) / 2 - ControlParts::kRingWidth / 2);
      setColor(cr_, colorOf(ControlParts::kRing));
      cairo_set_line_width(cr_, ControlParts::kRingWidth);
      cairo_stroke(cr_);
    }
  }

  void paintColorButton(const ViewNode& node) {
    const kinds::ColorButton& button = node.as<kinds::ColorButton>();
    Rect frame = inset(node.frame, node.padding);
    if (!button.plain) {
      paintBezel(frame);
      frame = inset(frame, Insets{0, kButtonPadding, 0, kButtonPadding});
    }
    const Rect well{frame.minX(), midY(frame) - ControlParts::kWellHeight / 2,
                    ControlParts::kWellWidth, ControlParts::kWellHeight};
    roundedRectPath(cr_, well, ControlParts::kWellRadius);
    fill(button.color.value_or(Color::clear()));
    innerStroke(well, ControlParts::kWellRadius, ControlParts::kEdgeWidth,
                colorOf(ControlParts::kEdge));
    drawText(node.text, styleOf(node), colorOf(node.foreground),
             inset(frame, Insets{0, ControlParts::kWellWidth + ControlParts::kWellSpacing, 0, 0}));
  }

  void paintDisclosureHeader(const ViewNode& node) {
    const Rect frame = inset(node.frame, node.padding);
    const double height = std::max(kDisclosureHeight, text_.lineHeight(styleOf(node)));
    const Rect header{frame.minX(), frame.minY(), frame.width, height};
    const Point centre{header.minX() + kDisclosureTriangle / 2, midY(header)};
    if (node.as<kinds::Disclosure>().on) {  // pointing down
      cairo_move_to(cr_, centre.x - 4, centre.y - 2.5);
      cairo_line_to(cr_, centre.x + 4, centre.y - 2.5);
      cairo_line_to(cr_, centre.x, centre.y + 3);
    } else {  // pointing right
      cairo_move_to(cr_, centre.x - 2.5, centre.y - 4);
      cairo_line_to(cr_, centre.x + 3, centre.y);
      cairo_line_to(cr_, centre.x - 2.5, centre.y + 4);
    }
    cairo_close_path(cr_);
    fill(colorOf(ColorRole::secondary));
    drawText(node.text, styleOf(node), colorOf(node.foreground),
             inset(header, Insets{0, kDisclosureTriangle + ControlParts::kDisclosureGap, 0, 0}));
  }

  void paintScrollText(const ViewNode& node) {
    const Rect frame = node.frame;
    const Rect content = inset(frame, node.padding);
    constexpr double kIndicator = 6, kIndicatorInset = 2;
    cairo_save(cr_);
    cairo_rectangle(cr_, frame.minX(), frame.minY(), frame.width, frame.height);
    cairo_clip(cr_);
    LayoutPtr layout = text_.layout(node.text, styleOf(node),
                                    std::max(1.0, content.width - kIndicator - kIndicatorInset));
    const Size size = PangoText::sizeOf(layout.get());
    setColor(cr_, colorOf(node.foreground));
    cairo_move_to(cr_, content.minX(), content.minY());
    PangoText::show(cr_, layout.get());
    // An overlay scroller at the top of its track while the text runs past the frame.
    if (size.height > content.height && content.height > 0) {
      const double track = frame.height - 2 * kIndicatorInset;
      const double knob = std::max(20.0, track * content.height / size.height);
      roundedRectPath(cr_,
                      {frame.maxX() - kIndicator - kIndicatorInset, frame.minY() + kIndicatorInset,
                       kIndicator, std::min(knob, track)},
                      kIndicator / 2);
      fill(Color{1, 1, 1, 0.4});
    }
    cairo_restore(cr_);
  }

  cairo_t* cr_;
  PangoText text_;
};

// The popover's outline: a rounded rectangle with, when `arrowX` is given, an
// arrow rising from its top edge.
void popoverPath(cairo_t* cr, Rect r, std::optional<double> arrowX) {
  const double radius = std::min({kPopoverRadius, r.width / 2, r.height / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.minX() + radius, r.minY() + radius, radius, M_PI, 3 * M_PI / 2);
  const double half = kArrowWidth / 2;
  if (arrowX && r.width >= 2 * (radius + half)) {
    const double x = std::clamp(*arrowX, r.minX() + radius + half, r.maxX() - radius - half);
    cairo_line_to(cr, x - half, r.minY());
    cairo_curve_to(cr, x - half / 2, r.minY(), x - 2, r.minY() - kArrowHeight, x,
                   r.minY() - kArrowHeight);
    cairo_curve_to(cr, x + 2, r.minY() - kArrowHeight, x + half / 2, r.minY(), x + half, r.minY());
  }
  cairo_arc(cr, r.maxX() - radius, r.minY() + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, r.maxX() - radius, r.maxY() - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, r.minX() + radius, r.maxY() - radius, radius, M_PI / 2, M_PI);
  cairo_close_path(cr);
}

}  // namespace

void paintViewTree(cairo_t* cr, const ViewNode& root) {
  cairo_save(cr);
  Painter(cr).paint(root);
  cairo_restore(cr);
}

void paintPopover(cairo_t* cr, const ViewNode& root, Point origin, std::optional<double> arrowX) {
  const Rect outline{origin.x, origin.y, std::abs(root.frame.width), std::abs(root.frame.height)};
  cairo_save(cr);
  // A soft shadow, then the translucent body with a dark outer and a light inner edge.
  for (int step = 1; step <= 8; ++step) {
    const double spread = step * 1.5;
    popoverPath(cr,
                {outline.x - spread, outline.y - spread / 2, outline.width + 2 * spread,
                 outline.height + 2 * spread},
                arrowX);
    setColor(cr, Color{0, 0, 0, 0.035});
    cairo_fill(cr);
  }
  popoverPath(cr, outline, arrowX);
  setColor(cr, kPopoverFill);
  cairo_fill_preserve(cr);
  setColor(cr, Color{0, 0, 0, 0.6});
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  popoverPath(cr, inset(outline, 1), arrowX);
  setColor(cr, Color{1, 1, 1, 0.12});
  cairo_stroke(cr);
  // The content, clipped to the body.
  popoverPath(cr, outline, std::nullopt);
  cairo_clip(cr);
  cairo_translate(cr, origin.x - root.frame.minX(), origin.y - root.frame.minY());
  Painter(cr).paint(root);
  cairo_restore(cr);
}

}  // namespace lumetta::sim
