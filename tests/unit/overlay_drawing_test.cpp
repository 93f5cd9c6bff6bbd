// The colour layer's pixels through the Cairo canvas, its redraw requests,
// and panels on the simulated screen.
#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "overlay/passive_panel.h"
#include "platform/sim/pictures/screen_picture.h"
#include "support/error_text.h"
#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using lumetta::testing::errorText;

struct Pixel {
  int r, g, b, a;
};

Pixel pixelAt(const Bitmap& bitmap, int column, int row) {
  const std::uint8_t* p = &bitmap.pixels[(std::size_t(row) * bitmap.width + column) * 4];
  return {p[0], p[1], p[2], p[3]};
}

struct LayerPixels : ::testing::Test {
  std::unique_ptr<sim::SimPlatform> platform = testing::simulated("{}");
  ColorLayer layer;

  // The layer drawn over 120 x 80 points at scale 1.
  Bitmap draw() {
    return platform->panels().renderBitmap(120, 80, 1.0, [&](Canvas& canvas) {
      layer.draw(canvas, {120, 80});
    });
  }
};

TEST_F(LayerPixels, DrawsOnlyInsideTheVisibleRegions) {
  layer.setStrength(1);
  layer.setBarHeight(80);
  layer.setVisibleRegions({{0, 0, 40, 80}, {80, 0, 40, 80}});
  Bitmap bitmap = draw();
  EXPECT_EQ(pixelAt(bitmap, 20, 40).a, 255);
  EXPECT_EQ(pixelAt(bitmap, 60, 40).a, 0);  // the gap between the two
  EXPECT_EQ(pixelAt(bitmap, 100, 40).a, 255);

  layer.setVisibleRegions({});
  for (bool topBar : {true, false}) {
    layer.setStyle(topBar ? OverlayStyle::topBar : OverlayStyle::border);
    Bitmap empty = draw();
    EXPECT_TRUE(
        std::all_of(empty.pixels.begin(), empty.pixels.end(), [](auto v) { return v == 0; }));
  }
}

TEST_F(LayerPixels, TheBarIsTheTopBandInTheColourAtTheStrength) {
  layer.setVisibleRegions({{0, 0, 120, 80}});
  layer.setColor({1, 0, 0, 1});
  layer.setStrength(0.25);
  layer.setBarHeight(30);
  Bitmap bitmap = draw();
  Pixel bar = pixelAt(bitmap, 60, 20);  // row 20 from the top lies in the band
  EXPECT_NEAR(bar.a, 64, 1);
  EXPECT_NEAR(bar.r, 64, 1);  // premultiplied
  EXPECT_EQ(bar.g, 0);
  EXPECT_EQ(pixelAt(bitmap, 60, 31).a, 0);

  layer.setBarHeight(0);
  EXPECT_EQ(pixelAt(draw(), 60, 20).a, 0);
  layer.setBarHeight(500);
  EXPECT_NEAR(pixelAt(draw(), 60, 79).a, 64, 1);
}

TEST_F(LayerPixels, TheBorderIsStrokedInTheExactColourAlongTheEdges) {
  layer.setVisibleRegions({{0, 0, 120, 80}});
  layer.setStyle(OverlayStyle::border);
  layer.setColor({0.2, 0.4, 0.6, 1});
  layer.setStrength(0.1);  // plays no part in a border
  layer.setBorderWidth(6);
  Bitmap bitmap = draw();
  for (auto [x, y] : {std::pair{1, 40}, {118, 40}, {60, 1}, {60, 78}}) {
    Pixel edge = pixelAt(bitmap, x, y);
    EXPECT_EQ(edge.a, 255);
    EXPECT_NEAR(edge.r, 51, 1);
    EXPECT_NEAR(edge.g, 102, 1);
    EXPECT_NEAR(edge.b, 153, 1);
  }
  EXPECT_EQ(pixelAt(bitmap, 60, 40).a, 0);
  EXPECT_EQ(pixelAt(bitmap, 7, 40).a, 0);
}

TEST(ColorLayer, AsksForARedrawOnlyWhenAValueChanges) {
  ColorLayer layer;
  int requests = 0;
  layer.onNeedsDisplay([&] { ++requests; });
  layer.setColor(Color::systemGreen());
  layer.setStyle(OverlayStyle::topBar);
  layer.setStrength(0.08);
  layer.setBorderWidth(6);
  layer.setBarHeight(40);
  layer.setVisibleRegions({});
  EXPECT_EQ(requests, 0);
  EXPECT_FALSE(layer.needsDisplay());

  layer.setVisibleRegions({{0, 0, 10, 10}});
  layer.setVisibleRegions({{0, 0, 10, 10}});
  EXPECT_EQ(requests, 1);
  layer.setVisibleRegions({{0, 0, 10, 11}});  // same length, one rectangle differs
  EXPECT_EQ(requests, 2);
  layer.setColor(Color::systemBlue());
  EXPECT_EQ(requests, 3);
  EXPECT_TRUE(layer.needsDisplay());
}

// One window on a 400 x 300 display; panels are placed in AppKit coordinates.
const char* kScreen = R"({"displays": [{"frame": [0, 0, 400, 300]}],
  "windows": [{"number": 7, "pid": 1, "layer": 0, "bounds": [40, 30, 300, 200], "owner": "ChatGPT"}]})";

// The pixel at (x, y) of a picture of the simulated screen with its panels.
Pixel screenAt(sim::SimPlatform& platform, int x, int y) {
  const auto path =
      std::filesystem::temp_directory_path() / ("lumetta-screen-" + std::to_string(getpid()));
  EXPECT_EQ(errorText(sim::writeScreenPicture(platform.desktop(), platform.panels(), path)),
            "(no error)");
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  EXPECT_EQ(cairo_surface_status(surface), CAIRO_STATUS_SUCCESS);
  const unsigned char* row =
      cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  std::uint32_t argb;
  std::memcpy(&argb, row + x * 4, 4);
  cairo_surface_destroy(surface);
  std::filesystem::remove(path);
  return {int(argb >> 16 & 255), int(argb >> 8 & 255), int(argb & 255), int(argb >> 24)};
}

TEST(ScreenPicture, PanelsAppearOverTheirWindowWithYFlipped) {
  auto platform = testing::simulated(kScreen);
  auto panel = makePassivePanel(platform->panels());
  panel->layer().setColor({1, 0, 0, 1});
  panel->layer().setStrength(1);
  panel->layer().setBarHeight(60);
  panel->layer().setVisibleRegions({{0, 0, 100, 60}});
  panel->window().setFrame({50, 200, 100, 60}, true);  // top edge 40 points below the screen's top
  const Pixel windowBelow = screenAt(*platform, 100, 105);
  EXPECT_NE(screenAt(*platform, 100, 60).r, 255);  // not shown before it is ordered front

  panel->window().orderFrontRegardless();
  const Pixel shown = screenAt(*platform, 100, 60);
  EXPECT_EQ(shown.r, 255);
  EXPECT_EQ(shown.g, 0);
  const Pixel below = screenAt(*platform, 100, 105);  // past the panel's bottom edge: the window
  EXPECT_EQ(below.r, windowBelow.r);
  EXPECT_EQ(below.g, windowBelow.g);

  panel->window().animateAlpha(0, Duration::seconds(0.2));
  platform->manualRunLoop().runFor(Duration::seconds(0.1));
  EXPECT_DOUBLE_EQ(panel->window().alpha(), 0.5);
}

TEST(ScreenPicture, OnlyAPanelThatIsNotTransparentHidesTheWindowBeneath) {
  auto platform = testing::simulated(kScreen);
  const Pixel window = screenAt(*platform, 200, 105);
  ColorLayer nothingDrawn;  // no visible regions: the content draws nothing
  PanelConfiguration opaque = passivePanelConfiguration();
  opaque.transparent = false;
  for (bool transparent : {true, false}) {
    auto panel = platform->panels().makePanel(transparent ? passivePanelConfiguration() : opaque,
                                              nothingDrawn);
    panel->setFrame({150, 150, 100, 100}, false);
    panel->orderFrontRegardless();
    const Pixel seen = screenAt(*platform, 200, 105);
    EXPECT_EQ(seen.r == window.r && seen.g == window.g && seen.b == window.b, transparent);
  }
}

}  // namespace
}  // namespace lumetta
