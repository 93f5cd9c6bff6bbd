#include "platform/sim/services/sim_window_server.h"

namespace lumetta::sim {

namespace {

std::optional<double> numberIn(const RawDictionary& dictionary, std::string_view key) {
  const RawValue* value = find(dictionary, key);
  if (!value) return std::nullopt;
  if (const auto* i = value->get<std::int64_t>()) return double(*i);
  if (const auto* d = value->get<double>()) return *d;
  return std::nullopt;
}

}  // namespace

std::optional<ListedWindow> listedWindow(const RawValue& entry) {
  const auto* dictionary = entry.get<RawDictionary>();
  if (!dictionary) return std::nullopt;
  auto number = numberIn(*dictionary, "kCGWindowNumber");
  const RawValue* boundsValue = find(*dictionary, "kCGWindowBounds");
  const auto* bounds = boundsValue ? boundsValue->get<RawDictionary>() : nullptr;
  if (!number || !bounds) return std::nullopt;
  auto x = numberIn(*bounds, "X"), y = numberIn(*bounds, "Y");
  auto width = numberIn(*bounds, "Width"), height = numberIn(*bounds, "Height");
  if (!x || !y || !width || !height) return std::nullopt;
  auto layer = numberIn(*dictionary, "kCGWindowLayer");
  return ListedWindow{
      std::int64_t(*number), std::int64_t(layer.value_or(0)), {*x, *y, *width, *height}};
}

std::optional<RawValue> SimWindowServer::copyWindowList() {
  return RawValue{desktop_.windowList()};
}

std::optional<std::vector<DisplayID>> SimWindowServer::onlineDisplays() {
  std::vector<DisplayID> ids;
  for (const SimDisplay& display : desktop_.displays()) ids.push_back(display.id);
  return ids;
}

bool SimWindowServer::displayIsAsleep(DisplayID id) {
  for (const SimDisplay& display : desktop_.displays()) {
    if (display.id == id) return display.asleep;
  }
  return false;
}

std::optional<RawValue> SimWindowServer::copySessionDictionary() { return desktop_.session(); }

std::int64_t SimWindowServer::windowNumberAtPoint(ScreenPoint point) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  auto screens = screenFrames();
  if (screens.empty()) return 0;
  // Panels float above the windows; click-through ones are not hit.
  const auto panels = panels_.visiblePanels();
  for (auto panel = panels.rbegin(); panel != panels.rend(); ++panel) {
    if (!(*panel)->configuration().clickThrough && (*panel)->frame().contains(point)) {
      return (*panel)->windowNumber();
    }
  }
  // AppKit y grows upwards from the primary screen's bottom; the list's y downwards from its top.
  const ServerPoint server{point.x, screens.front().maxY() - point.y};
  for (const RawValue& entry : desktop_.windowList()) {
    auto window = listedWindow(entry);
    if (!window || window->layer < 0) continue;
    if (window->bounds.contains(server)) return window->number;
  }
  return 0;
}

std::vector<ScreenRect> SimWindowServer::screenFrames() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  std::vector<ScreenRect> frames;
  for (const SimDisplay& display : desktop_.displays()) frames.push_back(display.frame);
  return frames;
}

}  // namespace lumetta::sim
