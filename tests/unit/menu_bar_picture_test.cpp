// The menu bar shows the status item, highlighted while its popover hangs
// below it.
#include <gtest/gtest.h>

#include "platform/sim/drawing/cairo_shapes.h"
#include "platform/sim/drawing/menu_bar_picture.h"
#include "support/painted.h"

namespace {

using lumetta::Rect;
using lumetta::ViewKind;
using lumetta::ViewNode;
using lumetta::sim::MenuBarPicture;
using lumetta::testing::brightness;
using lumetta::testing::Painted;
using lumetta::testing::Rgb;
using lumetta::testing::viewNode;

const Rect kDisplay{0, 0, 800, 700};

TEST(MenuBarPicture, TheStatusItemIsHighlightedWhileItsPopoverHangsBelowIt) {
  ViewNode content = viewNode(ViewKind::verticalStack, {0, 0, 340, 400});
  content.children = {viewNode(ViewKind::text, {16, 16, 200, 16}, "Lumetta")};
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

}  // namespace
