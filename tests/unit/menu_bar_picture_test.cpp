// The menu bar shows the status item, highlighted while its popover hangs
// below it; a sample popover is painted at both backing scales and written to
// the build folder for a look.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/cairo_shapes.h"
#include "platform/sim/menu_bar_picture.h"
#include "platform/sim/pango_view_metrics.h"
#include "support/painted.h"

namespace {

using lumetta::Color;
using lumetta::ColorRole;
using lumetta::Fill;
using lumetta::FolderTabShape;
using lumetta::FontRole;
using lumetta::Rect;
using lumetta::Size;
using lumetta::ViewKind;
using lumetta::ViewNode;
using lumetta::sim::MenuBarPicture;
using lumetta::testing::brightness;
using lumetta::testing::Painted;
using lumetta::testing::Rgb;
using lumetta::testing::viewNode;

// Rows stacked top to bottom at the metrics' sizes, a stand-in for the real
// layout that keeps the sample readable.
class Column {
 public:
  Column(lumetta::sim::PangoViewMetrics& metrics, double x, double y, double width)
      : metrics_(metrics), x_(x), y_(y), width_(width) {}

  ViewNode& add(ViewNode node, double spacing = 14, bool fullWidth = false) {
    Size size = node.kind == ViewKind::text
                    ? metrics_.textSize(node.text, node.font, node.monospacedDigits,
                                        node.wraps ? std::optional(width_) : std::nullopt)
                    : metrics_.controlSize(node);
    if (fullWidth) size.width = width_;
    if (!nodes_.empty()) y_ += spacing;
    node.frame = {x_, y_, size.width, size.height};
    y_ += size.height;
    nodes_.push_back(std::move(node));
    return nodes_.back();
  }
  ViewNode& place(ViewNode node, double height) {
    node.frame = {x_, y_, width_, height};
    y_ += height;
    nodes_.push_back(std::move(node));
    return nodes_.back();
  }
  void skip(double height) { y_ += height; }
  double bottom() const { return y_; }
  std::vector<ViewNode> take() { return std::move(nodes_); }

 private:
  lumetta::sim::PangoViewMetrics& metrics_;
  double x_, y_, width_;
  std::vector<ViewNode> nodes_;
};

ViewNode text(std::string words, FontRole font = FontRole::body,
              Fill foreground = {ColorRole::primary}) {
  ViewNode node = viewNode(ViewKind::text, {}, std::move(words));
  node.font = font;
  node.foreground = foreground;
  return node;
}

ViewNode sample(bool border) {
  lumetta::sim::PangoViewMetrics metrics;
  Column column(metrics, 16, 16, 308);
  ViewNode title = text("Lumetta", FontRole::headline);
  title.frame = {16, 18, metrics.textSize("Lumetta", FontRole::headline, false, {}).width, 16};
  ViewNode subtitle =
      text("Choose an appearance for each mode.", FontRole::caption, {ColorRole::secondary});
  subtitle.frame = {16, 38, 258, 13};
  column.skip(40);
  column.add(viewNode(ViewKind::checkbox, {}, "Launch at login")).on = true;
  column.add(text("Start Lumetta automatically when you sign in to your Mac.", FontRole::caption,
                  {ColorRole::secondary}),
             5);
  column.add(text("The operation couldn’t be completed.", FontRole::caption, {ColorRole::red}));
  ViewNode codex = viewNode(ViewKind::tab, {16, column.bottom() + 14, 152, 38}, "Codex");
  ViewNode gpt = codex;
  gpt.text = "GPT";
  gpt.frame.x = 172;
  for (ViewNode* tab : {&codex, &gpt}) {
    tab->font = FontRole::tab;
    tab->selected = tab == &codex;
    tab->foreground = {tab->selected ? ColorRole::accent : ColorRole::secondary};
    tab->background = tab->selected ? Fill{ColorRole::white, 0.1} : Fill{ColorRole::primary, 0.025};
    tab->backgroundShape = FolderTabShape{};
  }
  column.skip(52);
  Column panel(metrics, 28, column.bottom() + 12, 284);
  ViewNode toggle = viewNode(ViewKind::toggleSwitch, {}, "Enabled");
  toggle.on = true;
  panel.add(toggle);
  ViewNode style = viewNode(ViewKind::segmented, {}, "Style");
  style.segments = {"Top Bar", "Border"};
  style.selectedSegment = border ? 1 : 0;
  panel.add(style);
  panel.add(text("Color"));
  const double swatchRow = panel.bottom() + 8;
  ViewNode starter = text("Choose a starter color", FontRole::caption, {ColorRole::secondary});
  starter.frame = {28, swatchRow + 8, 110, 14};
  std::vector<ViewNode> extras = {starter};
  const Color colors[] = {Color::systemBlue(), Color::systemPurple(), Color::systemGreen()};
  for (int index = 0; index < 3; ++index) {
    ViewNode swatch = viewNode(ViewKind::swatch, {148.0 + 36 * index, swatchRow, 30, 30});
    swatch.padding = lumetta::Insets::all(4);
    swatch.color = colors[index];
    swatch.selected = index == 0;
    extras.push_back(swatch);
  }
  panel.skip(38);
  ViewNode own = text("Or choose your own", FontRole::caption, {ColorRole::secondary});
  own.frame = {28, panel.bottom() + 8 + 4, 110, 14};
  extras.push_back(own);
  ViewNode chooser = viewNode(ViewKind::colorButton, {}, "Choose…");
  chooser.color = Color::systemBlue();
  const Size chooserSize = metrics.controlSize(chooser);
  chooser.frame = {148, panel.bottom() + 8, chooserSize.width, chooserSize.height};
  extras.push_back(chooser);
  panel.skip(30);
  auto sliderRow = [&](const char* label, double value, lumetta::SliderRange range,
                       const char* shown, double labelWidth) {
    const double y = panel.bottom() + 14;
    ViewNode name = text(label);
    name.frame = {28, y + 2, 70, 16};
    ViewNode slider = viewNode(ViewKind::slider, {100, y, 284 + 28 - 100 - labelWidth - 8, 20});
    slider.value = value;
    slider.range = range;
    ViewNode number = text(shown);
    number.monospacedDigits = true;
    number.alignment = lumetta::Alignment::center;
    number.frame = {312 - labelWidth, y + 2, labelWidth, 16};
    extras.insert(extras.end(), {name, slider, number});
    panel.skip(34);
  };
  sliderRow("Tint", 0.125, {0.1, 0.25, 0.01}, "13%", 36);
  if (border) sliderRow("Thickness", 6.9, {2, 16, 1}, "6 pt", 42);
  ViewNode body = viewNode(ViewKind::verticalStack, {16, codex.frame.maxY(), 308, 0});
  body.background = Fill{ColorRole::white, 0.1};
  body.backgroundShape = FolderTabShape{true};
  body.frame.height = panel.bottom() + 12 - body.frame.y;
  body.children = panel.take();
  body.children.insert(body.children.end(), extras.begin(), extras.end());
  column.skip(body.frame.height + 14);

  column.place(viewNode(ViewKind::divider, {}), 1);
  ViewNode disclosure = viewNode(ViewKind::disclosure, {}, "Diagnostics");
  disclosure.on = true;
  const double top = column.bottom() + 14;
  disclosure.frame = {16, top, 308, 18 + 10 + 13 + 10 + 22 + 10 + 110};
  ViewNode note = text("Lumetta requests renderer Accessibility automatically when ChatGPT starts.",
                       FontRole::caption);
  note.wraps = true;
  note.frame = {16, top + 28, 308,
                metrics.textSize(note.text, FontRole::caption, false, 308).height};
  ViewNode copy = viewNode(ViewKind::button, {}, "Copy diagnostics");
  copy.frame = {16, note.frame.maxY() + 10, metrics.controlSize(copy).width, 22};
  std::string summary = "Lumetta 0.1.0 on macOS 14.5\npermission: granted\n";
  for (int index = 1; index <= 12; ++index) {
    summary += "window " + std::to_string(index) + ": ChatGPT, mode chat, overlay top bar 13%\n";
  }
  ViewNode scroll = viewNode(ViewKind::scrollText, {16, copy.frame.maxY() + 10, 308, 110}, summary);
  scroll.font = FontRole::monospaced10;
  disclosure.children = {note, copy, scroll};
  disclosure.frame.height = scroll.frame.maxY() - top;
  column.skip(14 + disclosure.frame.height);
  ViewNode refresh = viewNode(ViewKind::button, {}, "Refresh");
  refresh.frame = {16, column.bottom() + 14, metrics.controlSize(refresh).width, 22};
  ViewNode quit = viewNode(ViewKind::button, {}, "Quit");
  const double quitWidth = metrics.controlSize(quit).width;
  quit.frame = {324 - quitWidth, refresh.frame.y, quitWidth, 22};

  ViewNode root = viewNode(ViewKind::verticalStack, {0, 0, 340, refresh.frame.maxY() + 16});
  root.children = {title, subtitle};
  for (ViewNode& node : column.take()) root.children.push_back(std::move(node));
  root.children.insert(root.children.end(), {codex, gpt, body, disclosure, refresh, quit});
  return root;
}

const Rect kDisplay{0, 0, 800, 700};

TEST(MenuBarPicture, TheStatusItemIsHighlightedWhileItsPopoverHangsBelowIt) {
  const ViewNode content = sample(false);
  MenuBarPicture bar{"Finder", "Mon 9:41", true, false};
  const Rect item = lumetta::sim::statusItemFrame(kDisplay, bar);
  EXPECT_GT(item.x, 600);
  EXPECT_LE(item.maxX(), 800 - 12 - 40);

  Painted closed(800, 700, 1, {40, 56, 92}), open(800, 700, 1, {40, 56, 92});
  lumetta::sim::paintMenuBarExtra(closed.cr(), kDisplay, bar, &content);
  bar.open = true;
  lumetta::sim::paintMenuBarExtra(open.cr(), kDisplay, bar, &content);
  // The highlight behind the symbol, only while open; the symbol's filled top
  // third in both.
  EXPECT_GT(brightness(open.at(item.x + 3, 12)), brightness(closed.at(item.x + 3, 12)) + 30);
  EXPECT_GT(brightness(closed.at(lumetta::sim::midX(item), 10)), 600);
  // Below the menu bar: the popover's dark body only while open, under the item.
  const auto placement =
      lumetta::sim::popoverPlacement(kDisplay, item, {content.frame.width, content.frame.height});
  EXPECT_GE(placement.origin.y, 24 + 9);
  EXPECT_LE(placement.origin.x + 340, 800 - 8);
  EXPECT_DOUBLE_EQ(placement.arrowX, lumetta::sim::midX(item));
  const double x = placement.origin.x + 330, y = placement.origin.y + 300;
  EXPECT_EQ(closed.at(x, y), (Rgb{40, 56, 92}));
  EXPECT_LT(brightness(open.at(x, y)), 150);
  EXPECT_LT(brightness(open.at(placement.arrowX, placement.origin.y - 3)), 150);

  // A popover wider than the display still starts on it.
  const auto wide = lumetta::sim::popoverPlacement(kDisplay, item, {900, 300});
  EXPECT_EQ(wide.origin.x, 8);
}

TEST(MenuBarPicture, TheSamplePopoverLooksTheSameAtBothScales) {
  for (bool border : {false, true}) {
    const ViewNode content = sample(border);
    const Rect display{0, 0, 520, content.frame.height + 60};
    MenuBarPicture bar{"Finder", "Mon 9:41", true, true};
    Painted one(display.width, display.height, 1, {46, 62, 100}),
        two(display.width, display.height, 2, {46, 62, 100});
    for (const Painted* picture : {&one, &two}) {
      lumetta::sim::paintMenuBarExtra(picture->cr(), display, bar, &content);
      const std::string name = std::string("popover-") + (border ? "border" : "top-bar") + "@" +
                               (picture == &one ? "1" : "2") + "x.png";
      cairo_surface_write_to_png(picture->surface(),
                                 (std::filesystem::path(LUMETTA_BUILD_DIR) / name).c_str());
    }
    // Flat areas (the popover's body, the panel, the selected tab, a swatch,
    // the checked box) fall on the same points at both scales.
    const auto origin =
        lumetta::sim::popoverPlacement(display, lumetta::sim::statusItemFrame(display, bar),
                                       {content.frame.width, content.frame.height})
            .origin;
    auto compare = [&](const ViewNode& node, double dx, double dy) {
      const double x = origin.x + node.frame.x + dx, y = origin.y + node.frame.y + dy;
      const Rgb small = one.at(x, y), large = two.at(x, y);
      for (int channel = 0; channel < 3; ++channel) {
        EXPECT_NEAR(small[channel], large[channel], 2) << node.text << " at " << x << ", " << y;
      }
    };
    auto visit = [&](const ViewNode& node, auto& recurse) -> void {
      if (node.background) compare(node, 3, 15);
      if (node.kind == ViewKind::swatch) compare(node, 15, 15);
      if (node.kind == ViewKind::checkbox) compare(node, 2, node.frame.height / 2 + 3);
      for (const ViewNode& child : node.children) recurse(child, recurse);
    };
    visit(content, visit);
  }
}

}  // namespace
