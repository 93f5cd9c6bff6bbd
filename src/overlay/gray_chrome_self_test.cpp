// The built-in check of the gray-chrome detector, run by --self-test.
#include "overlay/self_tests.h"

#include <cstddef>
#include <vector>

#include "overlay/gray_chrome.h"
#include "support/check.h"

namespace lumetta {
namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 96;

// Opaque white, with a 24-pixel gray sidebar, a 24-row gray band at the end
// of the buffer and a 4 x 4 gray glyph in the document.
std::vector<std::uint8_t> sampleWindow() {
  std::vector<std::uint8_t> pixels(std::size_t{kWidth} * kHeight * 4, 255);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool glyph = y >= 40 && y <= 43 && x >= 60 && x <= 63;
      if (x < 24 || y > 71 || glyph) {
        const int at = (y * kWidth + x) * 4;
        pixels[at] = pixels[at + 1] = pixels[at + 2] = 90;
      }
    }
  }
  return pixels;
}

}  // namespace

bool grayTintSelfTest(std::ostream& out) {
  SelfCheck check(out);
  check.expect("white stays clear", grayTintWeight(255, 255, 255) == 0);
  check.expect("near-white stays clear", grayTintWeight(250, 250, 250) == 0);
  check.expect("dark gray receives tint", grayTintWeight(40, 40, 40) > 0);
  check.expect("light gray receives tint", grayTintWeight(200, 200, 200) > 0);
  const double edge = grayTintWeight(240, 240, 240);
  check.expect("near-white edge fades tint", edge > 0 && edge < 1);
  check.expect("colored content stays clear", grayTintWeight(200, 40, 40) == 0);
  check.expect("black stays clear", grayTintWeight(0, 0, 0) == 0);

  const std::vector<std::uint8_t> mask = edgeChromeMask(sampleWindow(), kWidth, kHeight);
  const auto at = [&](int x, int y) {
    return mask.size() == std::size_t{kWidth} * kHeight ? int{mask[y * kWidth + x]} : -1;
  };
  check.expect("sidebar surface selected", at(12, 40) == 1);
  check.expect("top bar surface selected", at(80, 84) == 1);
  check.expect("white document excluded", at(80, 40) == 0);
  check.expect("isolated gray document glyph excluded", at(61, 41) == 0);
  return check.passed();
}

}  // namespace lumetta
