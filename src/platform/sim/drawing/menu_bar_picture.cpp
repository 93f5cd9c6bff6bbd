#include "platform/sim/drawing/menu_bar_picture.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/sim/drawing/cairo_shapes.h"
#include "platform/sim/drawing/control_style.h"
#include "platform/sim/drawing/pango_text.h"
#include "platform/sim/drawing/popover_painter.h"

namespace lumetta::sim {

namespace {

using namespace controls;

constexpr double kStatusItemWidth = 30;
constexpr double kEdgeInset = 12;
constexpr double kItemGap = 10;
constexpr double kPopoverGap = 1;
constexpr double kScreenMargin = 8;
constexpr Color kMenuBarFill{0.10, 0.10, 0.12, 0.62};
constexpr Color kMenuText{1, 1, 1, 0.92};

double clockWidth(const PangoText& text, const std::string& clock) {
  return clock.empty() ? 0 : PangoText::sizeOf(text.layout(clock, {FontRole::body}).get()).width;
}

// "rectangle.topthird.inset.filled": a rounded rectangle with its top third
// filled, inset from the outline.
void paintSymbol(cairo_t* cr, Point centre) {
  const Rect outline{centre.x - 8.5, centre.y - 6.5, 17, 13};
  roundedRectPath(cr, inset(outline, 0.65), 3);
  cairo_set_line_width(cr, 1.3);
  setColor(cr, kMenuText);
  cairo_stroke(cr);
  const Rect inner = inset(outline, 3);
  roundedRectPath(cr, {inner.x, inner.y, inner.width, inner.height / 3 + 0.5}, 1);
  cairo_fill(cr);
}

}  // namespace

Rect menuBarFrame(Rect display) {
  return {display.minX(), display.minY(), std::abs(display.width), kMenuBarHeight};
}

Rect statusItemFrame(Rect display, const MenuBarPicture& picture) {
  const PangoText text;
  const double clock = clockWidth(text, picture.clock);
  const double right = display.maxX() - kEdgeInset - (clock > 0 ? clock + kItemGap : 0);
  return {right - kStatusItemWidth, display.minY() + 1, kStatusItemWidth, kMenuBarHeight - 2};
}

PopoverPlacement popoverPlacement(Rect display, Rect statusItem, Size size) {
  const double centre = midX(statusItem);
  const double lowest = display.minX() + kScreenMargin;
  const double highest = std::max(lowest, display.maxX() - kScreenMargin - size.width);
  const double x = std::clamp(centre - size.width / 2, lowest, highest);
  return {{x, display.minY() + kMenuBarHeight + kPopoverGap + kArrowHeight}, centre};
}

void paintMenuBar(cairo_t* cr, Rect display, const MenuBarPicture& picture) {
  const PangoText text;
  const Rect bar = menuBarFrame(display);
  cairo_save(cr);
  cairo_rectangle(cr, bar.x, bar.y, bar.width, bar.height);
  setColor(cr, kMenuBarFill);
  cairo_fill(cr);
  cairo_rectangle(cr, bar.x, bar.maxY() - 0.5, bar.width, 0.5);
  setColor(cr, Color{0, 0, 0, 0.45});
  cairo_fill(cr);
  setColor(cr, kMenuText);
  if (!picture.activeApplication.empty()) {
    LayoutPtr name = text.layout(picture.activeApplication, {FontRole::headline});
    cairo_move_to(cr, bar.minX() + kEdgeInset + 8,
                  midY(bar) - PangoText::sizeOf(name.get()).height / 2);
    PangoText::show(cr, name.get());
  }
  if (!picture.clock.empty()) {
    LayoutPtr clock = text.layout(picture.clock, {FontRole::body});
    const Size size = PangoText::sizeOf(clock.get());
    cairo_move_to(cr, bar.maxX() - kEdgeInset - size.width, midY(bar) - size.height / 2);
    PangoText::show(cr, clock.get());
  }
  if (picture.statusItem) {
    const Rect item = statusItemFrame(display, picture);
    if (picture.open) {
      roundedRectPath(cr, item, 4);
      setColor(cr, Color{1, 1, 1, 0.22});
      cairo_fill(cr);
    }
    paintSymbol(cr, {midX(item), midY(item)});
  }
  cairo_restore(cr);
}

void paintMenuBarExtra(cairo_t* cr, Rect display, const MenuBarPicture& picture,
                       const ViewNode* content) {
  paintMenuBar(cr, display, picture);
  if (!picture.statusItem || !picture.open || !content) return;
  const PopoverPlacement placement =
      popoverPlacement(display, statusItemFrame(display, picture),
                       {std::abs(content->frame.width), std::abs(content->frame.height)});
  paintPopover(cr, *content, placement.origin, placement.arrowX);
}

}  // namespace lumetta::sim
