// The panels' contract: configuration, ordering, frames, alpha, drawing the
// content, and the canvas as renderBitmap shows it (pixels RGBA, premultiplied,
// row 0 at the top, view coordinates with y upwards).
#include <gtest/gtest.h>

#include <cmath>

#include "contract/contract_backend.h"
#include "overlay/passive_panel.h"

namespace lumetta::contract {
namespace {

// The overlay's own configuration, at a frame of its own.
PanelConfiguration overlayConfiguration() {
  PanelConfiguration c = passivePanelConfiguration();
  c.contentRect = {100, 100, 120, 80};
  return c;
}

struct Recorder final : PanelContent {
  void draw(Canvas& canvas, Size bounds) override {
    ++draws;
    drawnSize = bounds;
    canvas.fillRect({0, 0, bounds.width, bounds.height}, Color::systemBlue().withAlpha(0.3));
  }
  int draws = 0;
  Size drawnSize;
};

struct PanelsContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  Panels& panels = platform.panels;
  Recorder content;
};

TEST_F(PanelsContract, PanelsNeverTakeFocusAndHaveTheirOwnNumbers) {
  auto first = panels.makePanel(overlayConfiguration(), content);
  auto second = panels.makePanel(overlayConfiguration(), content);
  EXPECT_FALSE(first->canBecomeKey());
  EXPECT_FALSE(first->canBecomeMain());
  EXPECT_GT(first->windowNumber(), 0);
  EXPECT_NE(first->windowNumber(), second->windowNumber());
  EXPECT_EQ(first->frame(), (ScreenRect{100, 100, 120, 80}));
  EXPECT_FALSE(first->isVisible()) << "a new panel is shown only when ordered front";

  PanelConfiguration focusable = overlayConfiguration();
  focusable.neverKeyOrMain = false;
  auto third = panels.makePanel(focusable, content);
  EXPECT_TRUE(third->canBecomeKey()) << "only the configuration keeps a panel from focus";
  EXPECT_TRUE(third->canBecomeMain());
}

TEST_F(PanelsContract, PanelsMoveShowHideDrawAndFade) {
  auto panel = panels.makePanel(overlayConfiguration(), content);
  panel->setFrame({40, 60, 200, 30}, false);
  EXPECT_EQ(panel->frame(), (ScreenRect{40, 60, 200, 30}));
  panel->orderFrontRegardless();
  EXPECT_TRUE(panel->isVisible());
  panel->orderOut();
  EXPECT_FALSE(panel->isVisible());
  panel->orderFrontRegardless();

  panel->setFrame({50, 50, 160, 90}, true);
  EXPECT_GE(content.draws, 1);
  EXPECT_EQ(content.drawnSize, (Size{160, 90})) << "the content draws at the frame's size";
  const int before = content.draws;
  panel->setNeedsDisplay();
  panel->displayIfNeeded();
  EXPECT_GT(content.draws, before);

  panel->animateAlpha(0.25, Duration::zero());
  EXPECT_NEAR(panel->alpha(), 0.25, 1e-3) << "a fade of no duration is immediate";
  panel->animateAlpha(1, Duration::milliseconds(100));
  EXPECT_TRUE(runUntil(platform, [&] { return std::abs(panel->alpha() - 1) < 1e-3; }));

  panel->close();
  EXPECT_FALSE(panel->isVisible());
}

// Pixel helpers for a bitmap of 40 x 20 pixels at scale 2: 20 x 10 points.
struct Pixel {
  int red, green, blue, alpha;
};
Pixel at(const Bitmap& bitmap, int column, int row) {
  const std::uint8_t* p = &bitmap.pixels[(std::size_t(row) * bitmap.width + column) * 4];
  return {p[0], p[1], p[2], p[3]};
}
// The pixel under the point (x, y) in view coordinates.
Pixel atPoint(const Bitmap& bitmap, double x, double y) {
  return at(bitmap, int(x * 2), bitmap.height - 1 - int(y * 2));
}

TEST_F(PanelsContract, BitmapsArePremultipliedRGBAWithYUpAndTheScaleApplied) {
  const Bitmap bitmap = panels.renderBitmap(40, 20, 2, [](Canvas& canvas) {
    canvas.fillRect({0, 0, 10, 5}, Color{1, 0, 0, 0.5});  // bottom-left quarter
  });
  ASSERT_EQ(bitmap.width, 40);
  ASSERT_EQ(bitmap.height, 20);
  ASSERT_EQ(bitmap.pixels.size(), 40u * 20 * 4);

  // Device RGB may shift the colour a little; alpha and the red's dominance stay.
  const Pixel inside = atPoint(bitmap, 9.5, 0.5);
  EXPECT_NEAR(inside.alpha, 128, 2);
  EXPECT_LE(inside.red, inside.alpha + 1) << "colour components are premultiplied by alpha";
  EXPECT_GT(inside.red, 90);
  EXPECT_LT(inside.green, inside.red / 2);
  EXPECT_LT(inside.blue, inside.red / 2);
  EXPECT_NEAR(bitmap.alphaAt(0, 19), 0.5, 0.01);  // row 0 is the top: the fill is at the bottom
  EXPECT_EQ(at(bitmap, 0, 0).alpha, 0);
  EXPECT_EQ(atPoint(bitmap, 10.5, 0.5).alpha, 0);  // the scale doubles the 10 points to 20 pixels
  EXPECT_EQ(atPoint(bitmap, 0.5, 5.5).alpha, 0);
}

TEST_F(PanelsContract, ClearingClippingAndRestoringFollowTheCanvasContract) {
  const Bitmap bitmap = panels.renderBitmap(40, 20, 2, [](Canvas& canvas) {
    canvas.fillRect({0, 0, 20, 10}, Color{0, 0, 1, 1});
    canvas.clear({0, 0, 5, 10});
    canvas.save();
    const Rect band[] = {{10, 0, 2, 10}, {11, 0, 2, 10}};  // overlapping: still their union
    canvas.clipToRects(band);
    canvas.fillRect({0, 0, 20, 10}, Color{0, 1, 0, 1});
    canvas.restore();
    canvas.save();
    canvas.clipToRects({});
    canvas.fillRect({0, 0, 20, 10}, Color{1, 0, 0, 1});  // clipped away entirely
    canvas.restore();
  });
  EXPECT_EQ(atPoint(bitmap, 2, 5).alpha, 0) << "clear erases to transparent";
  const Pixel blue = atPoint(bitmap, 7, 5), green = atPoint(bitmap, 12.5, 5);
  const Pixel after = atPoint(bitmap, 16, 5);
  EXPECT_EQ(blue.alpha, 255);
  EXPECT_GT(blue.blue, blue.green);
  EXPECT_GT(green.green, green.blue) << "the clip is the union of the rectangles";
  EXPECT_GT(after.blue, after.green) << "restore ends the clip";
  EXPECT_GT(after.blue, after.red) << "an empty clip draws nothing";
}

TEST_F(PanelsContract, RoundedRectanglesClipAndStrokeWithClampedRadii) {
  const Bitmap clipped = panels.renderBitmap(40, 20, 2, [](Canvas& canvas) {
    canvas.clipToRoundedRect({0, 0, 20, 10}, 4, 4);
    canvas.fillRect({0, 0, 20, 10}, Color{0, 0, 0, 1});
  });
  EXPECT_EQ(at(clipped, 0, 0).alpha, 0) << "the corner lies outside the outline";
  EXPECT_EQ(at(clipped, 39, 19).alpha, 0);
  EXPECT_EQ(atPoint(clipped, 10, 5).alpha, 255);
  EXPECT_EQ(atPoint(clipped, 0.25, 5).alpha, 255) << "the straight edge is inside";

  // Radii beyond half a side are clamped: the outline becomes the inscribed
  // ellipse, rather than nothing or a failure.
  const Bitmap ellipse = panels.renderBitmap(40, 20, 2, [](Canvas& canvas) {
    canvas.clipToRoundedRect({0, 0, 20, 10}, 50, 50);
    canvas.fillRect({0, 0, 20, 10}, Color{0, 0, 0, 1});
  });
  EXPECT_EQ(atPoint(ellipse, 10, 5).alpha, 255);
  EXPECT_EQ(atPoint(ellipse, 0.5, 0.5).alpha, 0);

  const Bitmap stroked = panels.renderBitmap(40, 20, 2, [](Canvas& canvas) {
    canvas.strokeRoundedRect({1, 1, 18, 8}, 2, 2, Color{0, 0, 0, 1}, 2);
  });
  EXPECT_GT(atPoint(stroked, 10, 1.25).alpha, 200) << "the stroke is centred on the outline";
  EXPECT_EQ(atPoint(stroked, 10, 5).alpha, 0) << "a stroke does not fill";
}

}  // namespace
}  // namespace lumetta::contract
