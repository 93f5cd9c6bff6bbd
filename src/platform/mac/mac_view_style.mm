// Implements: the font roles (the system's text styles and sizes, with
// monospaced digits on request), the colour roles (semantic system colours
// that follow the appearance) and the folder-tab outline.
// Ignores: Dynamic Type (macOS has none), the increase-contrast setting beyond
// what the semantic colours do by themselves.
#include "platform/mac/mac_view_style.h"

#include <algorithm>

namespace lumetta::mac {

namespace {

NSFontWeight roleWeight(FontRole role, bool selected) {
  switch (role) {
    case FontRole::headline: return NSFontWeightBold;
    // A folder tab's title: heavier while it is the selected one.
    case FontRole::tab: return selected ? NSFontWeightSemibold : NSFontWeightMedium;
    case FontRole::body:
    case FontRole::caption:
    case FontRole::monospaced10: return NSFontWeightRegular;
  }
  return NSFontWeightRegular;
}

NSFont* baseFont(FontRole role, bool selected) {
  switch (role) {
    // The text styles of the system font, as the platform's own views use them.
    case FontRole::body: return [NSFont systemFontOfSize:[NSFont systemFontSize]];
    case FontRole::headline:
      return [NSFont preferredFontForTextStyle:NSFontTextStyleHeadline options:@{}];
    case FontRole::caption:
      return [NSFont preferredFontForTextStyle:NSFontTextStyleCaption1 options:@{}];
    case FontRole::tab: return [NSFont systemFontOfSize:13 weight:roleWeight(role, selected)];
    // Every character the same width: the diagnostics text lines up in columns.
    case FontRole::monospaced10:
      return [NSFont monospacedSystemFontOfSize:10 weight:NSFontWeightRegular];
  }
  return [NSFont systemFontOfSize:[NSFont systemFontSize]];
}

}  // namespace

NSFont* roleFont(FontRole role, bool monospacedDigits, bool selected) {
  NSFont* font = baseFont(role, selected);
  if (!monospacedDigits || role == FontRole::monospaced10) return font;
  // Digits of one width, so that a changing number does not shift its label.
  return [NSFont monospacedDigitSystemFontOfSize:font.pointSize weight:roleWeight(role, selected)];
}

NSColor* fillColor(const Fill& fill) {
  NSColor* color = nil;
  switch (fill.role) {
    // Text and strokes in the appearance's primary label colour.
    case ColorRole::primary: color = [NSColor labelColor]; break;
    // Explanations beneath controls, quieter than their labels.
    case ColorRole::secondary: color = [NSColor secondaryLabelColor]; break;
    // The accent the user chose in System Settings, as selected controls show it.
    case ColorRole::accent: color = [NSColor controlAccentColor]; break;
    // Errors, in the system red that adapts to dark mode.
    case ColorRole::red: color = [NSColor systemRedColor]; break;
    // Translucent white over the popover's material: the raised folder tab and panel.
    case ColorRole::white: color = [NSColor whiteColor]; break;
    case ColorRole::clear: return [NSColor clearColor];
  }
  return fill.opacity >= 1 ? color : [color colorWithAlphaComponent:fill.opacity];
}

NSBezierPath* folderTabPath(NSRect bounds, FolderTabShape shape) {
  const CGFloat r = std::min({FolderTabShape::kRadius, bounds.size.width / 2, bounds.size.height});
  const CGFloat minX = NSMinX(bounds), maxX = NSMaxX(bounds);
  const CGFloat minY = NSMinY(bounds), maxY = NSMaxY(bounds);
  // NSBezierPath has only cubic curves before macOS 14: a quadratic curve from
  // p0 to p1 about q is the cubic whose control points lie two thirds of the
  // way from each end towards q.
  NSBezierPath* path = [NSBezierPath bezierPath];
  auto quadTo = [path](NSPoint from, NSPoint control, NSPoint to) {
    [path curveToPoint:to
         controlPoint1:NSMakePoint(from.x + (control.x - from.x) * 2 / 3,
                                   from.y + (control.y - from.y) * 2 / 3)
         controlPoint2:NSMakePoint(to.x + (control.x - to.x) * 2 / 3,
                                   to.y + (control.y - to.y) * 2 / 3)];
  };
  [path moveToPoint:NSMakePoint(minX, maxY)];
  [path lineToPoint:NSMakePoint(minX, minY + r)];
  quadTo(NSMakePoint(minX, minY + r), NSMakePoint(minX, minY), NSMakePoint(minX + r, minY));
  [path lineToPoint:NSMakePoint(maxX - r, minY)];
  quadTo(NSMakePoint(maxX - r, minY), NSMakePoint(maxX, minY), NSMakePoint(maxX, minY + r));
  [path lineToPoint:NSMakePoint(maxX, maxY)];
  [path closePath];
  if (shape.rotated) {
    // Half a turn about the centre: rounded bottom corners, square top ones.
    NSAffineTransform* turn = [NSAffineTransform transform];
    [turn translateXBy:NSMidX(bounds) yBy:NSMidY(bounds)];
    [turn rotateByDegrees:180];
    [turn translateXBy:-NSMidX(bounds) yBy:-NSMidY(bounds)];
    [path transformUsingAffineTransform:turn];
  }
  return path;
}

NSRect nsRect(const Rect& rect) { return NSMakeRect(rect.x, rect.y, rect.width, rect.height); }

}  // namespace lumetta::mac
