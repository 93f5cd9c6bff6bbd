// The popover painter draws each node in its frame as its state says: checked
// or not, selected or not, texts in their colour, at any backing scale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/sim/drawing/cairo_image.h"
#include "platform/sim/drawing/pango_view_metrics.h"
#include "platform/sim/drawing/popover_painter.h"
#include "support/painted.h"

namespace {

using lumetta::Color;
using lumetta::ColorRole;
using lumetta::Fill;
using lumetta::FolderTabShape;
using lumetta::FontRole;
using lumetta::Rect;
using lumetta::ViewKind;
using lumetta::ViewNode;
namespace kinds = lumetta::kinds;
using lumetta::sim::paintViewTree;
using lumetta::testing::brightness;
using lumetta::testing::Painted;
using lumetta::testing::Rgb;
using lumetta::testing::viewNode;

bool bluish(Rgb rgb) { return rgb[2] > 200 && rgb[0] < 80; }

ViewNode tab(Rect frame, bool selected) {
  ViewNode node = viewNode(ViewKind::tab, frame, selected ? "Codex" : "GPT");
  node.font = FontRole::tab;
  node.as<kinds::Tab>().selected = selected;
  node.foreground = {selected ? ColorRole::accent : ColorRole::secondary};
  node.background = selected ? Fill{ColorRole::white, 0.1} : Fill{ColorRole::primary, 0.025};
  node.backgroundShape = FolderTabShape{};
  return node;
}

TEST(PopoverPainter, TheSelectedTabIsRaisedAndMarkedAndThePanelTurnsTheShapeOver) {
  Painted picture(200, 100);
  ViewNode row = viewNode(ViewKind::horizontalStack, {0, 0, 200, 38});
  row.children = {tab({0, 0, 98, 38}, true), tab({102, 0, 98, 38}, false)};
  ViewNode panel = viewNode(ViewKind::verticalStack, {0, 38, 200, 60});
  panel.background = Fill{ColorRole::white, 0.1};
  panel.backgroundShape = FolderTabShape{true};
  ViewNode root = viewNode(ViewKind::verticalStack, {0, 0, 200, 100});
  root.children = {row, panel};
  paintViewTree(picture.cr(), root);

  // Same fill for the selected tab and the panel, lighter than the other tab.
  const Rgb background = picture.at(199, 99), selected = picture.at(10, 30),
            unselected = picture.at(112, 30);
  EXPECT_EQ(selected, picture.at(10, 45));
  EXPECT_GT(brightness(selected), brightness(unselected) + 20);
  EXPECT_GT(brightness(unselected), brightness(background));
  // The accent capsule 5 points below the selected tab's top only.
  EXPECT_TRUE(bluish(picture.at(49, 6.5)));
  EXPECT_FALSE(bluish(picture.at(49, 2)));
  EXPECT_EQ(picture.at(151, 6.5), unselected);
  // Tabs: rounded top corners, square bottom ones; the panel the other way up.
  EXPECT_EQ(picture.at(0.5, 0.5), background);
  EXPECT_EQ(picture.at(0.5, 37.5), selected);
  EXPECT_EQ(picture.at(0.5, 38.5), selected);
  EXPECT_EQ(picture.at(0.5, 97.5), background);
  EXPECT_EQ(picture.at(199.5, 97.5), background);
  EXPECT_EQ(picture.at(197.5, 37.5), unselected);
}

TEST(PopoverPainter, OnlyTheSelectedSwatchWearsARing) {
  Painted picture(100, 40);
  ViewNode row = viewNode(ViewKind::horizontalStack, {0, 0, 100, 30});
  for (int index = 0; index < 2; ++index) {
    ViewNode swatch = viewNode(ViewKind::swatch, {36.0 * index, 0, 30, 30});
    swatch.as<kinds::Swatch>().color = Color::systemGreen();
    swatch.padding = lumetta::Insets::all(4);
    swatch.as<kinds::Swatch>().selected = index == 1;
    row.children.push_back(swatch);
  }
  paintViewTree(picture.cr(), row);
  for (double x : {15.0, 51.0}) {
    const Rgb centre = picture.at(x, 15);
    EXPECT_GT(centre[1], 180);
    EXPECT_LT(centre[0], 80);
  }
  const Rgb background = picture.at(90, 35);
  EXPECT_EQ(picture.at(0.7, 15), background);
  EXPECT_EQ(picture.at(15, 0.7), background);
  EXPECT_GT(brightness(picture.at(36.7, 15)), brightness(background) + 200);
  EXPECT_GT(brightness(picture.at(51, 0.7)), brightness(background) + 200);
  // Between the circle and the ring the padding stays clear.
  EXPECT_EQ(picture.at(51, 3), background);
}

TEST(PopoverPainter, ControlsShowTheirState) {
  Painted picture(300, 120);
  ViewNode root = viewNode(ViewKind::verticalStack, {0, 0, 300, 120});
  for (int on = 0; on < 2; ++on) {
    ViewNode checkbox = viewNode(ViewKind::checkbox, {150.0 * on, 0, 140, 16}, "Launch");
    checkbox.as<kinds::Checkbox>().on = on == 1;
    ViewNode toggle = viewNode(ViewKind::toggleSwitch, {150.0 * on, 30, 140, 18}, "Enabled");
    toggle.as<kinds::ToggleSwitch>().on = on == 1;
    ViewNode slider = viewNode(ViewKind::slider, {150.0 * on, 60, 140, 20});
    slider.as<kinds::Slider>().range = {0.1, 0.25, 0.01};
    slider.as<kinds::Slider>().value = on == 1 ? 0.25 : 0.1;
    ViewNode segmented = viewNode(ViewKind::segmented, {150.0 * on, 90, 140, 22});
    segmented.as<kinds::Segmented>().segments = {"Top Bar", "Border"};
    segmented.as<kinds::Segmented>().selected = on;
    root.children.insert(root.children.end(), {checkbox, toggle, slider, segmented});
  }
  paintViewTree(picture.cr(), root);
  // The checked box and the switched-on track are filled with the accent colour.
  EXPECT_FALSE(bluish(picture.at(2, 8)));
  EXPECT_TRUE(bluish(picture.at(152, 8)));
  EXPECT_FALSE(bluish(picture.at(140 - 6, 39)));
  EXPECT_TRUE(bluish(picture.at(290 - 26, 39)));
  // The knob sits at the switch's leading end when off, trailing when on.
  EXPECT_GT(brightness(picture.at(140 - 23, 39)), 600);
  EXPECT_GT(brightness(picture.at(290 - 9, 39)), 600);
  // A slider is filled up to its knob.
  EXPECT_FALSE(bluish(picture.at(70, 70)));
  EXPECT_TRUE(bluish(picture.at(220, 70)));
  // The selected segment stands out from the other.
  const Rgb firstSelected = picture.at(4, 93);
  EXPECT_GT(brightness(firstSelected), brightness(picture.at(70 + 4, 93)) + 30);
  EXPECT_GT(brightness(picture.at(150 + 70 + 4, 93)), brightness(picture.at(154, 93)) + 30);
  EXPECT_EQ(firstSelected, picture.at(150 + 70 + 4, 93));
}

// The pixels of `r` unlike the background, as counts and the extent they reach.
struct Ink {
  int count = 0;
  int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1;
};

Ink inkIn(const Painted& picture, Rect r, Rgb background) {
  Ink ink;
  picture.forEachPixel(r, [&](int x, int y, Rgb rgb) {
    if (rgb == background) return;
    ++ink.count;
    ink.top = std::min(ink.top, y);
    ink.bottom = std::max(ink.bottom, y);
    ink.left = std::min(ink.left, x);
    ink.right = std::max(ink.right, x);
  });
  return ink;
}

TEST(PopoverPainter, TextIsDrawnInItsRoleColourWithinItsFrameAndWrapsWhenAsked) {
  lumetta::sim::PangoViewMetrics metrics;
  const std::string words = "Choose an appearance for each mode.";
  const auto oneLine = metrics.textSize(words, FontRole::caption, false, std::nullopt);
  const auto wrapped = metrics.textSize(words, FontRole::caption, false, 90);
  Painted picture(200, 100, 2);
  const Rgb background = picture.at(0, 0);
  ViewNode caption = viewNode(ViewKind::text, {10, 10, oneLine.width, oneLine.height}, words);
  caption.font = FontRole::caption;
  caption.foreground = {ColorRole::secondary};
  ViewNode error = caption;
  error.frame = {10, 40, 90, wrapped.height};
  error.foreground = {ColorRole::red};
  error.as<kinds::Text>().wraps = true;
  ViewNode root = viewNode(ViewKind::verticalStack, {0, 0, 200, 100});
  root.children = {caption, error};
  paintViewTree(picture.cr(), root);

  // Grey ink at the secondary colour's full strength (white at 0.55 over the
  // background) inside the caption's frame.
  int grey = 0;
  picture.forEachPixel(caption.frame, [&](int, int, Rgb rgb) {
    if (std::abs(rgb[0] - 159) <= 3 && std::abs(rgb[2] - 160) <= 3) ++grey;
  });
  EXPECT_GT(grey, 10);
  // Red ink on more than one line, all within the wrapped frame.
  const Ink red = inkIn(picture, {0, 35, 200, 65}, background);
  int reddish = 0;
  picture.forEachPixel({0, 35, 200, 65}, [&](int, int, Rgb rgb) {
    if (rgb[0] > 200 && rgb[1] < 110) ++reddish;
  });
  EXPECT_GT(reddish, 10);
  EXPECT_GE(red.top, 2 * 40);  // pixels, at scale 2
  EXPECT_GT(red.bottom - red.top, 2 * 1.8 * oneLine.height);
  EXPECT_LE(red.bottom, 2 * (40 + wrapped.height));
  EXPECT_LE(red.right, 2 * 100);
  EXPECT_EQ(inkIn(picture, {0, 0, 200, 9}, background).count, 0);
}

TEST(PopoverPainter, AtScaleTwoEverythingIsTwiceAsLargeInPixels) {
  ViewNode root = viewNode(ViewKind::verticalStack, {0, 0, 120, 40});
  root.children = {viewNode(ViewKind::text, {10, 5, 100, 16}, "Diagnostics")};
  ViewNode button = viewNode(ViewKind::button, {10, 20, 80, 22}, "Quit");
  root.children.push_back(button);
  Painted one(120, 50, 1), two(120, 50, 2);
  paintViewTree(one.cr(), root);
  paintViewTree(two.cr(), root);
  const Ink small = inkIn(one, {0, 0, 120, 50}, one.pixel(0, 0));
  const Ink large = inkIn(two, {0, 0, 120, 50}, two.pixel(0, 0));
  EXPECT_EQ(two.pixelWidth(), 2 * one.pixelWidth());
  EXPECT_NEAR(large.left, 2 * small.left, 2);
  EXPECT_NEAR(large.right, 2 * small.right + 1, 2);
  EXPECT_NEAR(large.top, 2 * small.top, 2);
  EXPECT_NEAR(large.bottom, 2 * small.bottom + 1, 2);
  EXPECT_GT(large.count, 3 * small.count);
}

TEST(PopoverPainter, CollapsedDisclosureHidesItsContentAndScrollTextStaysInItsFrame) {
  std::string summary;
  for (int line = 0; line < 40; ++line) summary += "line " + std::to_string(line) + "\n";
  for (bool expanded : {false, true}) {
    Painted picture(200, 200);
    const Rgb background = picture.at(0, 199);
    ViewNode disclosure = viewNode(ViewKind::disclosure, {0, 0, 200, 140}, "Diagnostics");
    disclosure.as<kinds::Disclosure>().on = expanded;
    ViewNode scroll = viewNode(ViewKind::scrollText, {0, 24, 200, 110}, summary);
    scroll.font = FontRole::monospaced10;
    disclosure.children = {scroll};
    paintViewTree(picture.cr(), disclosure);
    EXPECT_GT(inkIn(picture, {0, 0, 200, 20}, background).count, 20);
    const Ink content = inkIn(picture, {0, 24, 200, 110}, background);
    EXPECT_EQ(content.count > 100, expanded);
    EXPECT_EQ(inkIn(picture, {0, 134, 200, 66}, background).count, 0);
    // The scroll indicator at the trailing edge, while the text runs past the frame.
    EXPECT_EQ(brightness(picture.at(196, 30)) > brightness(background) + 60, expanded);
  }
}

TEST(PopoverPainter, ImagesAreScaledToFitTheirFrame) {
  const auto path = std::filesystem::temp_directory_path() / "lumetta-painter-logo.png";
  cairo_surface_t* red = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 4);
  cairo_t* cr = cairo_create(red);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  ASSERT_EQ(cairo_surface_write_to_png(red, path.c_str()), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(red);

  auto image = lumetta::sim::loadPngImage(path.string());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (lumetta::Size{8, 4}));
  EXPECT_FALSE(lumetta::sim::loadPngImage(path.string() + ".missing"));
  std::filesystem::remove(path);

  Painted picture(40, 40);
  ViewNode logo = viewNode(ViewKind::image, {0, 0, 40, 40});
  logo.as<kinds::Image>().image = image;
  paintViewTree(picture.cr(), logo);
  EXPECT_EQ(picture.at(1, 20), (Rgb{255, 0, 0}));
  EXPECT_EQ(picture.at(39, 20), (Rgb{255, 0, 0}));
  EXPECT_NE(picture.at(20, 5), (Rgb{255, 0, 0}));  // 40 x 20, centred
}

}  // namespace
