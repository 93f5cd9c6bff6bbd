#include "overlay/gray_chrome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <random>
#include <utility>

namespace lumetta {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Rgba = std::array<std::uint8_t, 4>;
using Strips = std::pair<int, int>;  // left width, band height

// Opaque white, with `color` wherever `paintAt(x, y)` holds.
Bytes paint(int width, int height, auto paintAt, Rgba color = {90, 90, 90, 255}) {
  Bytes pixels(std::size_t(width) * height * 4, 255);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (paintAt(x, y)) std::copy(color.begin(), color.end(), &pixels[(y * width + x) * 4]);
    }
  }
  return pixels;
}

// The strips read off the first row and the last column; nothing unless the
// mask is exactly those two strips.
std::optional<Strips> stripsOf(const Bytes& mask, int width, int height) {
  if (mask.size() != std::size_t(width) * height) return std::nullopt;
  const int left =
      static_cast<int>(std::find(mask.begin(), mask.begin() + width, 0) - mask.begin());
  int band = 0;
  while (band < height && mask[(height - band) * width - 1] == 1) ++band;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (mask[y * width + x] != (x < left || y >= height - band)) return std::nullopt;
    }
  }
  return Strips{left, band};
}

std::optional<Strips> detect(int width, int height, auto grayAt, Rgba color = {90, 90, 90, 255}) {
  return stripsOf(edgeChromeMask(paint(width, height, grayAt, color), width, height), width,
                  height);
}

TEST(GrayTintWeight, ZeroOutsideNeutralGrayAndRampingAtTheLimits) {
  EXPECT_EQ(grayTintWeight(8, 8, 8), 0);
  EXPECT_EQ(grayTintWeight(245, 245, 245), 0);
  EXPECT_EQ(grayTintWeight(113, 100, 100), 0);
  EXPECT_EQ(grayTintWeight(100, 100, 113), 0);
  EXPECT_EQ(grayTintWeight(100, 112, 100), 1);
  EXPECT_DOUBLE_EQ(grayTintWeight(9, 9, 9), 1.0 / 12);
  EXPECT_DOUBLE_EQ(grayTintWeight(14, 14, 14), 0.5);
  EXPECT_EQ(grayTintWeight(20, 20, 20), 1);
  EXPECT_EQ(grayTintWeight(232, 232, 232), 1);
  EXPECT_DOUBLE_EQ(grayTintWeight(238, 238, 238), 7.0 / 13);
  EXPECT_DOUBLE_EQ(grayTintWeight(244, 244, 244), 1.0 / 13);
}

TEST(GrayChromeMask, ChromeIsOpaqueFlatGrayWithinLimits) {
  const std::pair<Rgba, bool> cases[] = {
      {{20, 32, 20, 250}, true},     {{19, 25, 25, 255}, false}, {{244, 232, 240, 255}, true},
      {{245, 240, 240, 255}, false}, {{20, 32, 20, 249}, false}, {{20, 20, 33, 255}, false}};
  for (const auto& [color, chrome] : cases) {
    EXPECT_EQ(detect(
                  128, 96, [](int x, int) { return x < 24; }, color),
              Strips(chrome ? 24 : 0, 0))
        << int(color[0]) << ' ' << int(color[1]) << ' ' << int(color[2]) << ' ' << int(color[3]);
  }
}

TEST(GrayChromeMask, DropsStripsOutsideTheirLimits) {
  // 100 x 96: a sidebar of 12 to 42 columns, a band of 8 to 24 rows.
  const auto strips = [](int left, int band) {
    return detect(100, 96, [=](int x, int y) { return x < left || y >= 96 - band; });
  };
  EXPECT_EQ(strips(12, 8), Strips(12, 8));
  EXPECT_EQ(strips(42, 24), Strips(42, 24));
  EXPECT_EQ(strips(11, 7), Strips(0, 0));
  EXPECT_EQ(strips(43, 25), Strips(0, 0));
}

TEST(GrayChromeMask, SamplesTheMiddleRowsAndTheColumnsRightOfTheSidebar) {
  // Height 100: rows 25 to 74; 35 of those 50 rows is exactly 70 percent.
  const auto sidebar = [](auto grayRow) {
    return detect(100, 100, [=](int x, int y) { return x < 20 && grayRow(y); });
  };
  EXPECT_EQ(sidebar([](int y) { return y >= 25 && y < 60; }), Strips(20, 0));
  EXPECT_EQ(sidebar([](int y) { return y >= 40 && y < 75; }), Strips(20, 0));
  EXPECT_EQ(sidebar([](int y) { return y < 59 || y >= 75; }), Strips(0, 0));
  // Band rows gray on 37 of the 52 columns 44 to 95: just over 70 percent, so
  // any wider sample fails.
  EXPECT_EQ(detect(100, 96, [](int x, int y) { return y < 72 ? x < 40 : x >= 44 && x <= 80; }),
            Strips(40, 24));
  // Too narrow to keep clear of both edges: the sample is still one column.
  EXPECT_EQ(detect(8, 40, [](int x, int y) { return x == 4 && y >= 32; }), Strips(0, 8));
}

TEST(GrayChromeMask, OnlyAFailingLineAfterTheFourthEndsAScan) {
  // A white outline four lines deep is skipped...
  EXPECT_EQ(detect(100, 96, [](int x, int y) { return (x >= 4 && x < 20) || (y >= 78 && y < 92); }),
            Strips(20, 18));
  // ...but a gap after it cuts both strips to four lines, below their limits.
  EXPECT_EQ(
      detect(100, 96, [](int x, int y) { return (x < 20 && x != 4) || (y >= 76 && y != 91); }),
      Strips(0, 0));
}

TEST(GrayChromeMask, RejectsBadDimensionsAndNeverReadsPastTheBuffer) {
  const Bytes small(64, 90);
  EXPECT_TRUE(edgeChromeMask(small, -1, 4).empty());
  EXPECT_TRUE(edgeChromeMask(small, INT_MAX, INT_MAX).empty());
  EXPECT_TRUE(edgeChromeMask(small, INT_MAX, 1).empty());

  // Buffers allocated at exactly their length, so that AddressSanitizer sees
  // any read past the end; mostly gray so that the scans run far.
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    const int width = static_cast<int>(random() % 40);
    const int height = static_cast<int>(random() % 40);
    const std::size_t full = std::size_t(width) * height * 4;
    const std::size_t size = full > 0 && random() % 4 == 0 ? random() % full : full;
    const unsigned whiteOneIn = 1 + random() % 16;
    Bytes pixels(size);
    for (std::size_t i = 0; i < size; ++i) {
      pixels[i] = i % 4 == 3 || random() % whiteOneIn == 0 ? 255 : 90;
    }
    const Bytes mask = edgeChromeMask(pixels, width, height);
    SCOPED_TRACE(testing::Message() << width << " x " << height << ", " << size << " bytes");
    if (size < full || full == 0) {
      EXPECT_TRUE(mask.empty());
      continue;
    }
    const auto strips = stripsOf(mask, width, height);
    ASSERT_TRUE(strips);
    EXPECT_LE(strips->first * 100, width * 42);
    EXPECT_LE(strips->second * 4, height);
  }
}

}  // namespace
}  // namespace lumetta
