// Implements: every view kind as AppKit shows it: labels (wrapping where the
// node wraps), push and borderless buttons, the checkbox, the switch and the
// segmented control after their text, sliders that step, the folder tabs,
// the swatches and the colour button (a well of the colour, then its text)
// drawn by themselves, the disclosure triangle with its title, a separator
// box, the scrolling selectable text and the logo; tooltips, accessibility
// labels, hidden elements and the selected state; each control's action
// calling the node's function. Stacks and spacers have no view; a background
// is a view of its own beneath the node's content.
// Ignores: keyboard focus order (AppKit's default), the nodes' `spacing`,
// `padding` (but a swatch's and a disclosure's) and `fillsWidth` (the layout
// applied them).
#include "platform/mac/mac_view_nodes.h"

#include <algorithm>
#include <cmath>

#include "platform/control_parts.h"
#include "platform/mac/cf_string.h"
#include "platform/mac/mac_application.h"
#include "platform/mac/mac_colors.h"
#include "platform/mac/mac_view_style.h"

namespace lumetta::mac {

namespace {

// The NSImage of an image this backend loaded; nil for any other.
NSImage* nsImage(const PlatformImage& image) {
  const auto* mac = dynamic_cast<const MacImage*>(&image.impl());
  return mac ? mac->image() : nil;
}

NSString* optionalString(const std::string& text) { return text.empty() ? nil : nsString(text); }

NSControlStateValue state(bool on) { return on ? NSControlStateValueOn : NSControlStateValueOff; }

double snapped(double value, const SliderRange& range) {
  if (range.step > 0) {
    value = range.minimum + std::round((value - range.minimum) / range.step) * range.step;
  }
  return std::min(std::max(value, range.minimum), range.maximum);
}

NSSize intrinsicSize(NSView* view) {
  const NSSize size = view.intrinsicContentSize;
  return NSMakeSize(size.width == NSViewNoIntrinsicMetric ? 0 : size.width,
                    size.height == NSViewNoIntrinsicMetric ? 0 : size.height);
}

// A stroke of `width` lying inside the oval inscribed in `rect`.
void strokeOvalInside(NSRect rect, CGFloat width, NSColor* color) {
  NSBezierPath* path =
      [NSBezierPath bezierPathWithOvalInRect:NSInsetRect(rect, width / 2, width / 2)];
  path.lineWidth = width;
  [color setStroke];
  [path stroke];
}

LumettaFlippedView* container() { return [[LumettaFlippedView alloc] init]; }

NSTextField* makeLabel() {
  NSTextField* label = [NSTextField labelWithString:@""];
  label.selectable = NO;
  return label;
}

// What every node says about itself: its tooltip, its accessibility label
// (the control's own title serves when it has none) and whether assistive
// applications see it.
void describe(NSView* view, const ViewNode& node, bool titled) {
  view.toolTip = optionalString(node.help);
  view.accessibilityLabel =
      titled ? optionalString(node.accessibilityLabel) : optionalString(node.label());
  view.accessibilityElement = !node.accessibilityHidden;
}

// A text's words, or the text before a switch or segmented control.
void showText(NSTextField* label, const ViewNode& node) {
  const auto* text = std::get_if<kinds::Text>(&node.content);
  const bool wraps = text && text->wraps;
  label.stringValue = nsString(node.text);
  label.font = roleFont(node.font, node.monospacedDigits, node.selected());
  label.textColor = fillColor(node.foreground);
  label.alignment =
      node.alignment == Alignment::center ? NSTextAlignmentCenter : NSTextAlignmentNatural;
  [label.cell setWraps:wraps];
  label.lineBreakMode = wraps ? NSLineBreakByWordWrapping : NSLineBreakByTruncatingTail;
  label.maximumNumberOfLines = wraps ? 0 : 1;
  label.preferredMaxLayoutWidth = wraps ? node.frame.width : 0;
}

// A control after its text: the text at the leading edge, the control at the
// trailing edge (stretched to the text when `stretch`), both centred vertically.
void placeAfterLabel(NSTextField* label, NSControl* control, NSSize size, bool stretch) {
  const NSSize text = [label isHidden] ? NSZeroSize : intrinsicSize(label);
  const NSSize natural = intrinsicSize(control);
  const CGFloat start = [label isHidden] ? 0 : text.width + ControlParts::kLabelGap;
  const CGFloat width = stretch ? std::max(natural.width, size.width - start) : natural.width;
  label.frame =
      NSMakeRect(0, (size.height - text.height) / 2,
                 std::max<CGFloat>(0, size.width - width - ControlParts::kLabelGap), text.height);
  control.frame =
      NSMakeRect(size.width - width, (size.height - natural.height) / 2, width, natural.height);
}

// A disclosure's header: the triangle, then its title.
NSSize disclosureHeader(NSButton* triangle, NSButton* title) {
  const NSSize mark = intrinsicSize(triangle);
  const NSSize text = intrinsicSize(title);
  return NSMakeSize(mark.width + ControlParts::kDisclosureGap + text.width,
                    std::max(mark.height, text.height));
}

void placeDisclosure(NSButton* triangle, NSButton* title, NSSize size) {
  const NSSize mark = intrinsicSize(triangle);
  const NSSize text = intrinsicSize(title);
  triangle.frame = NSMakeRect(0, (size.height - mark.height) / 2, mark.width, mark.height);
  const CGFloat x = mark.width + ControlParts::kDisclosureGap;
  title.frame = NSMakeRect(x, (size.height - text.height) / 2, std::max<CGFloat>(0, size.width - x),
                           text.height);
}

void showBackground(LumettaDrawnView* view, const ViewNode& node) {
  NSColor* color = fillColor(*node.background);
  const std::optional<FolderTabShape> shape = node.backgroundShape;
  view.drawing = ^(NSRect bounds) {
    [color setFill];
    if (shape) {
      [folderTabPath(bounds, *shape) fill];
    } else {
      [NSBezierPath fillRect:bounds];
    }
  };
  view.needsDisplay = YES;
}

void showTab(LumettaDrawnButton* tab, const ViewNode& node) {
  NSString* title = nsString(node.text);
  NSDictionary* attributes = @{
    NSFontAttributeName : roleFont(node.font, node.monospacedDigits, node.selected()),
    NSForegroundColorAttributeName : fillColor(node.foreground)
  };
  NSColor* fill = node.background ? fillColor(*node.background) : nil;
  NSColor* bar = node.selected() ? fillColor({ColorRole::accent}) : nil;
  const FolderTabShape shape = node.backgroundShape.value_or(FolderTabShape{});
  tab.drawing = ^(NSRect bounds) {
    if (fill) {
      [fill setFill];
      [folderTabPath(bounds, shape) fill];
    }
    if (bar) {
      [bar setFill];
      const NSRect marker = NSMakeRect(NSMidX(bounds) - ControlParts::kMarkerWidth / 2,
                                       NSMinY(bounds) + ControlParts::kMarkerTop,
                                       ControlParts::kMarkerWidth, ControlParts::kMarkerHeight);
      [[NSBezierPath bezierPathWithRoundedRect:marker
                                       xRadius:ControlParts::kMarkerHeight / 2
                                       yRadius:ControlParts::kMarkerHeight / 2] fill];
    }
    const NSSize size = [title sizeWithAttributes:attributes];
    [title drawAtPoint:NSMakePoint(NSMidX(bounds) - size.width / 2,
                                   NSMidY(bounds) - size.height / 2)
        withAttributes:attributes];
  };
  // Clicks count only inside the tab's outline, not in the corners it rounds off.
  tab.hitShape = folderTabPath(NSMakeRect(0, 0, node.frame.width, node.frame.height), shape);
  tab.needsDisplay = YES;
}

void showSwatch(LumettaDrawnButton* swatch, const ViewNode& node) {
  const kinds::Swatch& shown = node.as<kinds::Swatch>();
  NSColor* color = shown.color ? nsColor(*shown.color) : [NSColor clearColor];
  NSColor* edge = fillColor(ControlParts::kEdge);
  NSColor* ring = shown.selected ? fillColor(ControlParts::kRing) : nil;
  const Insets padding = node.padding;
  swatch.drawing = ^(NSRect bounds) {
    const NSRect circle = NSMakeRect(NSMinX(bounds) + padding.leading, NSMinY(bounds) + padding.top,
                                     NSWidth(bounds) - padding.leading - padding.trailing,
                                     NSHeight(bounds) - padding.top - padding.bottom);
    [color setFill];
    [[NSBezierPath bezierPathWithOvalInRect:circle] fill];
    strokeOvalInside(circle, ControlParts::kEdgeWidth, edge);
    // The ring goes round the padded square, clear of the colour.
    if (ring) strokeOvalInside(bounds, ControlParts::kRingWidth, ring);
  };
  swatch.needsDisplay = YES;
}

// A well of the colour at the leading edge, then the text.
void showColorButton(LumettaDrawnButton* button, const ViewNode& node) {
  const std::optional<Color>& shown = node.as<kinds::ColorButton>().color;
  NSColor* color = shown ? nsColor(*shown) : [NSColor clearColor];
  NSColor* edge = fillColor(ControlParts::kEdge);
  NSString* title = nsString(node.text);
  NSDictionary* attributes = @{
    NSFontAttributeName : roleFont(node.font, node.monospacedDigits, node.selected()),
    NSForegroundColorAttributeName : fillColor(node.foreground)
  };
  button.drawing = ^(NSRect bounds) {
    const NSRect well = NSMakeRect(NSMinX(bounds), NSMidY(bounds) - ControlParts::kWellHeight / 2,
                                   ControlParts::kWellWidth, ControlParts::kWellHeight);
    const CGFloat radius = ControlParts::kWellRadius;
    [color setFill];
    [[NSBezierPath bezierPathWithRoundedRect:well xRadius:radius yRadius:radius] fill];
    const CGFloat inset = ControlParts::kEdgeWidth / 2;
    NSBezierPath* outline = [NSBezierPath bezierPathWithRoundedRect:NSInsetRect(well, inset, inset)
                                                            xRadius:radius - inset
                                                            yRadius:radius - inset];
    outline.lineWidth = ControlParts::kEdgeWidth;
    [edge setStroke];
    [outline stroke];
    const NSSize size = [title sizeWithAttributes:attributes];
    [title drawAtPoint:NSMakePoint(NSMaxX(well) + ControlParts::kWellSpacing + kLabelPadding,
                                   NSMidY(bounds) - size.height / 2)
        withAttributes:attributes];
  };
  button.needsDisplay = YES;
}

// A borderless button's title takes the node's font and colour; a bordered
// one's the system's colour for its bezel.
void showButton(NSButton* button, const ViewNode& node, bool borderless) {
  NSFont* font = roleFont(node.font, node.monospacedDigits, node.selected());
  button.title = nsString(node.text);
  button.font = font;
  button.bordered = borderless ? NO : YES;
  if (borderless) {
    button.attributedTitle = [[NSAttributedString alloc]
        initWithString:nsString(node.text)
            attributes:@{
              NSFontAttributeName : font,
              NSForegroundColorAttributeName : fillColor(node.foreground)
            }];
  } else {
    button.bezelStyle = NSBezelStyleRounded;
  }
}

void showScrollText(NSScrollView* scroll, NSTextView* text, const ViewNode& node) {
  NSString* string = nsString(node.text);
  NSFont* font = roleFont(node.font, node.monospacedDigits, node.selected());
  NSColor* color = fillColor(node.foreground);
  // Restyled only on a change: the text is shown again with every new content.
  bool restyle = ![text.font isEqual:font] || ![text.textColor isEqual:color];
  if (![text.string isEqualToString:string]) {
    // New text keeps the scroll position and, where it still fits, the selection.
    const NSRange selection = text.selectedRange;
    text.string = string;
    if (NSMaxRange(selection) <= string.length) text.selectedRange = selection;
    restyle = true;
  }
  if (restyle) {
    text.font = font;
    text.textColor = color;
  }
  const NSSize content = scroll.contentSize;
  text.minSize = NSMakeSize(0, content.height);
  [text setFrameSize:NSMakeSize(content.width, std::max(NSHeight(text.frame), content.height))];
  [text sizeToFit];
}

MacNodeView makeScrollText() {
  NSScrollView* scroll = [[NSScrollView alloc] init];
  scroll.hasVerticalScroller = YES;
  scroll.drawsBackground = NO;
  scroll.borderType = NSNoBorder;
  NSTextView* text = [[NSTextView alloc] init];
  text.editable = NO;
  text.selectable = YES;
  text.richText = NO;
  text.drawsBackground = NO;
  text.textContainerInset = NSZeroSize;
  text.textContainer.lineFragmentPadding = 0;
  text.textContainer.widthTracksTextView = YES;
  text.verticallyResizable = YES;
  text.horizontallyResizable = NO;
  text.maxSize = NSMakeSize(CGFLOAT_MAX, CGFLOAT_MAX);
  text.autoresizingMask = NSViewWidthSizable;
  scroll.documentView = text;
  MacNodeView shown;
  shown.view = scroll;
  shown.text = text;
  return shown;
}

}  // namespace

MacNodeView makeNodeView(const ViewNode& node, bool background) {
  if (background) {
    MacNodeView shown;
    shown.kind = node.kind();
    shown.background = true;
    shown.view = [[LumettaDrawnView alloc] init];
    return shown;
  }
  MacNodeView shown;
  LumettaActionTarget* target = [[LumettaActionTarget alloc] init];
  const SEL act = @selector(act:);
  switch (node.kind()) {
    case ViewKind::verticalStack:
    case ViewKind::horizontalStack:
    case ViewKind::spacer: break;
    case ViewKind::divider: {
      NSBox* box = [[NSBox alloc] init];
      box.boxType = NSBoxSeparator;
      shown.view = box;
      break;
    }
    case ViewKind::text: shown.view = makeLabel(); break;
    case ViewKind::image: {
      NSImageView* image = [[NSImageView alloc] init];
      image.imageScaling = NSImageScaleProportionallyUpOrDown;
      shown.view = image;
      break;
    }
    case ViewKind::button:
      shown.view = shown.control = [NSButton buttonWithTitle:@"" target:target action:act];
      break;
    case ViewKind::checkbox:
      shown.view = shown.control = [NSButton checkboxWithTitle:@"" target:target action:act];
      break;
    case ViewKind::toggleSwitch:
    case ViewKind::segmented: {
      shown.view = container();
      shown.label = makeLabel();
      if (node.kind() == ViewKind::toggleSwitch) {
        shown.control = [[NSSwitch alloc] init];
      } else {
        NSSegmentedControl* segments = [[NSSegmentedControl alloc] init];
        segments.trackingMode = NSSegmentSwitchTrackingSelectOne;
        shown.control = segments;
      }
      shown.control.target = target;
      shown.control.action = act;
      [shown.view addSubview:shown.label];
      [shown.view addSubview:shown.control];
      break;
    }
    case ViewKind::slider: {
      // Steps by rounding in the action rather than by tick marks, which a
      // short slider could not draw legibly.
      NSSlider* slider = [NSSlider sliderWithValue:0
                                          minValue:0
                                          maxValue:1
                                            target:target
                                            action:act];
      slider.continuous = YES;
      shown.view = shown.control = slider;
      break;
    }
    case ViewKind::tab:
    case ViewKind::swatch:
    case ViewKind::colorButton: {
      LumettaDrawnButton* button = [[LumettaDrawnButton alloc] init];
      button.bordered = NO;
      button.title = @"";
      button.target = target;
      button.action = act;
      shown.view = shown.control = button;
      break;
    }
    case ViewKind::disclosure: {
      NSButton* triangle = [[NSButton alloc] init];
      triangle.bezelStyle = NSBezelStyleDisclosure;
      [triangle setButtonType:NSButtonTypePushOnPushOff];
      triangle.title = @"";
      triangle.target = target;
      triangle.action = act;
      // The title toggles too; assistive applications know the triangle alone.
      shown.title = [NSButton buttonWithTitle:@"" target:target action:act];
      shown.title.bordered = NO;
      shown.title.accessibilityElement = NO;
      shown.view = container();
      shown.control = triangle;
      [shown.view addSubview:triangle];
      [shown.view addSubview:shown.title];
      break;
    }
    case ViewKind::scrollText: shown = makeScrollText(); break;
  }
  shown.kind = node.kind();
  if (shown.control) shown.target = target;
  return shown;
}

void updateNodeView(MacNodeView& shown, const ViewNode& node) {
  if (!shown.view) return;
  shown.view.frame = nsRect(node.frame);
  if (shown.background) {
    showBackground((LumettaDrawnView*)shown.view, node);
    return;
  }
  LumettaActionTarget* target = shown.target;
  const auto press = [](std::function<void()> onPress) {
    return [onPress = std::move(onPress)](id) {
      if (onPress) onPress();
    };
  };
  switch (node.kind()) {
    case ViewKind::verticalStack:
    case ViewKind::horizontalStack:
    case ViewKind::spacer:
    case ViewKind::divider: break;
    case ViewKind::text:
      showText((NSTextField*)shown.view, node);
      describe(shown.view, node, true);
      break;
    case ViewKind::image:
      ((NSImageView*)shown.view).image =
          node.as<kinds::Image>().image ? nsImage(*node.as<kinds::Image>().image) : nil;
      describe(shown.view, node, false);
      break;
    case ViewKind::button:
      showButton((NSButton*)shown.control, node, node.as<kinds::Button>().plain);
      describe(shown.control, node, true);
      [target setPerform:press(node.as<kinds::Button>().onPress)];
      break;
    case ViewKind::colorButton:
      showColorButton((LumettaDrawnButton*)shown.control, node);
      describe(shown.control, node, false);
      [target setPerform:press(node.as<kinds::ColorButton>().onPress)];
      break;
    case ViewKind::checkbox: {
      const kinds::Checkbox& checkbox = node.as<kinds::Checkbox>();
      NSButton* box = (NSButton*)shown.control;
      box.title = nsString(node.text);
      box.font = roleFont(node.font, node.monospacedDigits, node.selected());
      box.state = state(checkbox.on);
      describe(box, node, true);
      [target setPerform:[box, onToggle = checkbox.onToggle](id) {
        if (onToggle) onToggle(box.state == NSControlStateValueOn);
      }];
      [target setRestore:[box, on = checkbox.on] { box.state = state(on); }];
      break;
    }
    case ViewKind::toggleSwitch: {
      const kinds::ToggleSwitch& data = node.as<kinds::ToggleSwitch>();
      NSSwitch* toggle = (NSSwitch*)shown.control;
      showText(shown.label, node);
      shown.label.hidden = node.text.empty();
      toggle.state = state(data.on);
      placeAfterLabel(shown.label, toggle, shown.view.frame.size, false);
      describe(toggle, node, false);
      [target setPerform:[toggle, onToggle = data.onToggle](id) {
        if (onToggle) onToggle(toggle.state == NSControlStateValueOn);
      }];
      [target setRestore:[toggle, on = data.on] { toggle.state = state(on); }];
      break;
    }
    case ViewKind::segmented: {
      const kinds::Segmented& data = node.as<kinds::Segmented>();
      NSSegmentedControl* control = (NSSegmentedControl*)shown.control;
      showText(shown.label, node);
      shown.label.hidden = node.text.empty();
      control.segmentCount = static_cast<NSInteger>(data.segments.size());
      for (NSInteger i = 0; i < control.segmentCount; ++i) {
        [control setLabel:nsString(data.segments[static_cast<size_t>(i)]) forSegment:i];
      }
      control.selectedSegment = data.selected;
      placeAfterLabel(shown.label, control, shown.view.frame.size, true);
      describe(control, node, false);
      [target setPerform:[control, onSelect = data.onSelect](id) {
        if (onSelect) onSelect(static_cast<int>(control.selectedSegment));
      }];
      [target
          setRestore:[control, selected = data.selected] { control.selectedSegment = selected; }];
      break;
    }
    case ViewKind::slider: {
      const kinds::Slider& data = node.as<kinds::Slider>();
      NSSlider* slider = (NSSlider*)shown.control;
      slider.minValue = data.range.minimum;
      slider.maxValue = data.range.maximum;
      slider.doubleValue = data.value;
      describe(slider, node, false);
      [target setPerform:[slider, onSlide = data.onSlide, range = data.range](id) {
        const double value = snapped(slider.doubleValue, range);
        slider.doubleValue = value;
        if (onSlide) onSlide(value);
      }];
      [target setRestore:[slider, value = data.value] { slider.doubleValue = value; }];
      break;
    }
    case ViewKind::tab:
    case ViewKind::swatch: {
      LumettaDrawnButton* button = (LumettaDrawnButton*)shown.control;
      if (node.kind() == ViewKind::tab) {
        showTab(button, node);
        [target setPerform:press(node.as<kinds::Tab>().onPress)];
      } else {
        showSwatch(button, node);
        [target setPerform:press(node.as<kinds::Swatch>().onPress)];
      }
      describe(button, node, false);
      button.accessibilitySelected = node.selected();
      break;
    }
    case ViewKind::disclosure: {
      const kinds::Disclosure& data = node.as<kinds::Disclosure>();
      NSButton* triangle = (NSButton*)shown.control;
      triangle.state = state(data.on);
      showButton(shown.title, node, true);
      // The node's frame holds the expanded content too; the header is its top.
      const NSRect frame = nsRect(node.frame);
      shown.view.frame = NSMakeRect(
          NSMinX(frame) + node.padding.leading, NSMinY(frame) + node.padding.top,
          std::max<CGFloat>(0, NSWidth(frame) - node.padding.leading - node.padding.trailing),
          disclosureHeader(triangle, shown.title).height);
      placeDisclosure(triangle, shown.title, shown.view.frame.size);
      describe(triangle, node, false);
      [target setPerform:[onToggle = data.onToggle, on = data.on](id) {
        if (onToggle) onToggle(!on);
      }];
      [target setRestore:[triangle, on = data.on] { triangle.state = state(on); }];
      break;
    }
    case ViewKind::scrollText:
      showScrollText((NSScrollView*)shown.view, shown.text, node);
      describe(shown.text, node, true);
      break;
  }
}

Size naturalSize(const ViewNode& node) {
  MacNodeView shown = makeNodeView(node, false);
  updateNodeView(shown, node);
  NSSize size = NSZeroSize;
  switch (node.kind()) {
    case ViewKind::toggleSwitch:
    case ViewKind::segmented: {
      const NSSize control = intrinsicSize(shown.control);
      const NSSize text = node.text.empty() ? NSZeroSize : intrinsicSize(shown.label);
      size =
          NSMakeSize(text.width + (node.text.empty() ? 0 : ControlParts::kLabelGap) + control.width,
                     std::max(text.height, control.height));
      break;
    }
    case ViewKind::disclosure:
      size = disclosureHeader((NSButton*)shown.control, shown.title);
      break;
    case ViewKind::slider:
      size = intrinsicSize(shown.control);
      size.width = std::max(size.width, ControlParts::kSliderMinimumWidth);
      break;
    case ViewKind::button:
    case ViewKind::checkbox: size = intrinsicSize(shown.control); break;
    default:
      // The rest draw at the size the layout gives them.
      size = NSMakeSize(node.width.value_or(0), node.height.value_or(0));
      break;
  }
  return {std::ceil(size.width), std::ceil(size.height)};
}

}  // namespace lumetta::mac
