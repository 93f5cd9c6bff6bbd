// lumetta-preview: pictures one overlay over a window of a simulated desktop,
// placed as the overlay controller places it: over the window's frame, drawn
// only where no window in front of it covers the marked region.
//
//   lumetta-preview --desktop FILE --window NUMBER --mode ChatGPT|Codex
//                   --style top-bar|border [--toolbar HEIGHT] --out PICTURE.png
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "geometry/exposed_regions.h"
#include "geometry/server_windows.h"
#include "geometry/window_frame.h"
#include "overlay/passive_panel.h"
#include "platform/sim/pictures/screen_picture.h"
#include "platform/sim/sim_platform.h"

namespace {

using namespace lumetta;

int fail(const std::string& message) {
  std::cerr
      << "lumetta-preview: " << message << "\n"
      << "usage: lumetta-preview --desktop FILE --window NUMBER --mode ChatGPT|Codex\n"
      << "                       --style top-bar|border [--toolbar HEIGHT] --out PICTURE.png\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> options{{"--toolbar", "52"}};
  for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
  for (const char* key : {"--desktop", "--window", "--mode", "--style", "--out"}) {
    if (!options.count(key)) return fail(std::string("missing ") + key);
  }
  const std::string style = options["--style"], mode = options["--mode"];
  if ((style != "top-bar" && style != "border") || (mode != "ChatGPT" && mode != "Codex")) {
    return fail("unknown --style or --mode");
  }

  sim::LoadResult loaded = sim::loadDesktopFile(options["--desktop"]);
  if (!loaded) return fail(loaded.error().message);
  sim::SimPlatform simulated(std::move(loaded).value(), sim::TimeSource::manual);

  const std::int64_t number = std::strtoll(options["--window"].c_str(), nullptr, 10);
  const auto servers = visibleServerWindows(simulated.windowServer());
  const auto target = std::find_if(servers.begin(), servers.end(),
                                   [&](const ServerWindow& w) { return w.id == number; });
  const auto screens = simulated.windowServer().screenFrames();
  if (target == servers.end() || screens.empty()) return fail("no such window on screen");

  const bool topBar = style == "top-bar";
  const ServerRect bounds = target->bounds;
  const ServerRect marked =
      topBar ? ServerRect{bounds.x, bounds.y, bounds.width,
                          std::min(bounds.height, std::atof(options["--toolbar"].c_str()))}
             : bounds;
  std::vector<ServerRect> covers;
  for (const ServerWindow& other : servers) {
    if (other.rank < target->rank && other.id != target->id) covers.push_back(other.bounds);
  }
  const double primaryTop = screens.front().maxY();
  const ScreenRect frame = appKitRect(bounds, primaryTop);
  std::vector<Rect> regions;  // the panel's own coordinates
  for (const ServerRect& piece : exposedRectangles(marked, covers)) {
    const ScreenRect r = appKitRect(piece, primaryTop);
    regions.push_back({r.x - frame.x, r.y - frame.y, r.width, r.height});
  }

  auto panel = makePassivePanel(simulated.panels());
  ColorLayer& layer = panel->layer();
  layer.setColor(mode == "ChatGPT" ? Color::systemGreen() : Color::systemBlue());
  layer.setStyle(topBar ? OverlayStyle::topBar : OverlayStyle::border);
  layer.setStrength(0.25);
  layer.setBorderWidth(6);
  layer.setBarHeight(marked.height);
  layer.setVisibleRegions(regions);
  panel->window().setFrame(frame, true);
  panel->window().orderFrontRegardless();

  auto written = sim::writeScreenPicture(simulated.desktop(), simulated.panels(), options["--out"]);
  if (!written) return fail(written.error().message);
  return 0;
}
