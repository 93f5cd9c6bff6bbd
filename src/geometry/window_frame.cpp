#include "geometry/window_frame.h"

#include <cmath>
#include <string_view>

namespace lumetta {

std::optional<ServerRect> axFrame(Accessibility& ax, const Element& window) {
  // Both attributes always, in this order, in one round trip.
  static constexpr std::string_view kFrameAttributes[] = {"AXPosition", "AXSize"};
  const std::vector<ReadResult> reads = ax.copyAttributeValues(window, kFrameAttributes);
  const ReadResult& position = reads[0];
  const ReadResult& size = reads[1];
  if (position.error != axerr::success || size.error != axerr::success) return std::nullopt;
  const Point* origin = position.value ? position.value->get<Point>() : nullptr;
  const Size* extent = size.value ? size.value->get<Size>() : nullptr;
  if (!origin || !extent) return std::nullopt;

  const ServerRect frame{origin->x, origin->y, extent->width, extent->height};
  const bool finite = std::isfinite(frame.x) && std::isfinite(frame.y) &&
                      std::isfinite(frame.width) && std::isfinite(frame.height);
  if (!finite || frame.width <= 0 || frame.height <= 0) return std::nullopt;
  return frame;
}

ScreenRect appKitRect(ServerRect axRect, double primaryDisplayTop) {
  // The extent, not the signed size: a rectangle given with a negative size
  // still covers the same area once flipped.
  return {axRect.minX(), primaryDisplayTop - axRect.maxY(), std::abs(axRect.width),
          std::abs(axRect.height)};
}

}  // namespace lumetta
