// The colours' contract: plausible system colours, archives that read back as
// the same colour and data that holds none, and the colour panel's picks
// reaching the colour chooser only when they have an sRGB form.
#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "contract/contract_backend.h"
#include "overlay/indicator_color_panel.h"

namespace lumetta::contract {
namespace {

void expectSameColor(const Color& actual, const Color& expected) {
  constexpr double kTolerance = 1e-6;
  EXPECT_NEAR(actual.red, expected.red, kTolerance);
  EXPECT_NEAR(actual.green, expected.green, kTolerance);
  EXPECT_NEAR(actual.blue, expected.blue, kTolerance);
  EXPECT_NEAR(actual.alpha, expected.alpha, kTolerance);
}

bool inUnitRange(const Color& c) {
  for (double v : {c.red, c.green, c.blue}) {
    if (v < 0 || v > 1) return false;
  }
  return c.alpha == 1;
}

struct ColorsContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  Colors& colors = platform.colors;
};

TEST_F(ColorsContract, SystemColoursAreOpaqueAndHaveTheirHue) {
  const Color blue = colors.systemBlue(), green = colors.systemGreen(),
              purple = colors.systemPurple();
  for (const Color& c : {blue, green, purple}) EXPECT_TRUE(inUnitRange(c));
  EXPECT_GT(blue.blue, blue.green);
  EXPECT_GT(blue.green, blue.red);
  EXPECT_GT(green.green, green.red);
  EXPECT_GT(green.green, green.blue);
  EXPECT_GT(purple.blue, purple.green);
  EXPECT_GT(purple.red, purple.green);
}

TEST_F(ColorsContract, AnArchivedColourReadsBackAsTheSameColour) {
  for (const Color& color : {colors.systemBlue(), Color{0.123456789, 0.5, 1, 0.25},
                             Color{0, 0, 0, 0}, Color{1, 1, 1, 1}}) {
    const auto data = colors.archive(color);
    ASSERT_TRUE(data);
    const auto back = colors.unarchive(*data);
    ASSERT_TRUE(back);
    const auto srgb = back->srgb();
    ASSERT_TRUE(srgb);
    expectSameColor(*srgb, color);
  }
}

TEST_F(ColorsContract, DataThatHoldsNoColourDoesNotUnarchive) {
  const Data archive = colors.archive(Color{0.2, 0.4, 0.6, 1}).value();
  const Data truncated(archive.begin(), archive.begin() + std::ptrdiff_t(archive.size() / 2));
  const std::string text = "{\"srgb\": [0.2, 0.4, 0.6, 1]}";
  for (const Data& garbage :
       {Data{}, Data{0xde, 0xad, 0xbe, 0xef}, truncated, Data(text.begin(), text.end())}) {
    EXPECT_FALSE(colors.unarchive(garbage)) << garbage.size() << " bytes";
  }
}

struct ColorPanelContract : ColorsContract {
  std::vector<Color> received;
  std::optional<IndicatorColorPanel> chooser{std::in_place, platform.colorPanel};
  ColorPanelContract() {
    chooser->onChange = [this](const Color& color) { received.push_back(color); };
  }
};

TEST_F(ColorPanelContract, PicksWithAnSRGBFormReachTheChooserShownLastWhileItLives) {
  IndicatorColorPanel other(platform.colorPanel);
  std::vector<Color> otherReceived;
  other.onChange = [&](const Color& color) { otherReceived.push_back(color); };
  chooser->show(colors.systemBlue());
  other.show(colors.systemGreen());
  backend->pickColor(Color{0.5, 0.5, 0.5, 1});
  ASSERT_TRUE(runUntil(platform, [&] { return !otherReceived.empty(); }));
  EXPECT_TRUE(received.empty());

  chooser->show(colors.systemBlue());
  const Color picked{0.9, 0.3, 0.1, 1};
  backend->pickColor(picked);
  ASSERT_TRUE(runUntil(platform, [&] { return !received.empty(); }));
  expectSameColor(received.back(), picked);
  backend->pickColorWithoutSRGB();
  runFor(platform, Duration::milliseconds(100));
  EXPECT_EQ(received.size(), 1u) << "a colour without an sRGB form is ignored";

  chooser.reset();
  backend->pickColor(Color{0.25, 0.5, 0.75, 1});  // must not reach a destroyed chooser
  runFor(platform, Duration::milliseconds(100));
  EXPECT_EQ(otherReceived.size(), 1u);
}

}  // namespace
}  // namespace lumetta::contract
