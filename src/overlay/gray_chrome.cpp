#include "overlay/gray_chrome.h"

#include <algorithm>
#include <cstddef>

namespace lumetta {
namespace {

bool isChrome(const std::uint8_t* pixel) {
  const auto [lo, hi] = std::minmax({pixel[0], pixel[1], pixel[2]});
  return pixel[3] >= 250 && lo >= 20 && hi < 245 && hi - lo < 13;
}

// At least 70 percent, in integers so that the threshold is exact.
bool mostly(std::int64_t count, std::int64_t total) { return count * 10 >= total * 7; }

// A buffer already checked to hold width * height pixels; 64-bit throughout so
// that no offset overflows.
struct Image {
  const std::uint8_t* pixels;
  std::int64_t width;
  std::int64_t height;

  bool chromeAt(std::int64_t x, std::int64_t y) const {
    return isChrome(pixels + (y * width + x) * 4);
  }
};

// Walks lines inward from an edge: a line that is mostly chrome extends the
// strip up to it. The outermost four lines may be a window outline or a
// rounded corner, so only a failing line after them ends the walk.
template <typename CountChrome>
std::int64_t stripExtent(std::int64_t lines, std::int64_t lineLength, CountChrome countChrome) {
  std::int64_t extent = 0;
  for (std::int64_t i = 0; i < lines; ++i) {
    if (mostly(countChrome(i), lineLength)) {
      extent = i + 1;
    } else if (i > 3) {
      break;
    }
  }
  return extent;
}

// Sampled over the middle half of the rows only, away from the top toolbar
// and the end band.
std::int64_t leftWidth(const Image& image) {
  const std::int64_t first = image.height / 4;
  const std::int64_t end = std::max(first + 1, 3 * image.height / 4);
  const std::int64_t width = stripExtent(image.width, end - first, [&](std::int64_t x) {
    std::int64_t count = 0;
    for (std::int64_t y = first; y < end; ++y) count += image.chromeAt(x, y);
    return count;
  });
  return width >= 12 && width <= image.width * 42 / 100 ? width : 0;
}

// Sampled right of the sidebar and clear of both side edges.
std::int64_t bandHeight(const Image& image, std::int64_t sidebarWidth) {
  const std::int64_t first = std::min(sidebarWidth + 4, image.width - 1);
  const std::int64_t end = std::max(first + 1, image.width - 4);
  const std::int64_t height = stripExtent(image.height, end - first, [&](std::int64_t i) {
    const std::int64_t y = image.height - 1 - i;
    std::int64_t count = 0;
    for (std::int64_t x = first; x < end; ++x) count += image.chromeAt(x, y);
    return count;
  });
  return height >= 8 && height <= image.height / 4 ? height : 0;
}

}  // namespace

double grayTintWeight(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const auto [lo, hi] = std::minmax({r, g, b});
  if (hi < 9 || lo > 244 || hi - lo > 12) return 0;
  return std::min((245 - lo) / 13.0, 1.0) * std::min((hi - 8) / 12.0, 1.0);
}

std::vector<std::uint8_t> edgeChromeMask(std::span<const std::uint8_t> pixels, int width,
                                         int height) {
  if (width < 1 || height < 1) return {};
  // Both are at most INT_MAX, so their product fits; comparing it with the
  // pixel count avoids multiplying by 4 past the 64-bit range.
  const std::int64_t pixelCount = std::int64_t{width} * height;
  if (static_cast<std::uint64_t>(pixelCount) > pixels.size() / 4) return {};

  const Image image{pixels.data(), width, height};
  const std::int64_t sidebar = leftWidth(image);
  const std::int64_t bandStart = image.height - bandHeight(image, sidebar);

  std::vector<std::uint8_t> mask(static_cast<std::size_t>(pixelCount), 0);
  for (std::int64_t y = 0; y < image.height; ++y) {
    const auto row = mask.begin() + static_cast<std::ptrdiff_t>(y * image.width);
    std::fill_n(row, y >= bandStart ? image.width : sidebar, 1);
  }
  return mask;
}

}  // namespace lumetta
