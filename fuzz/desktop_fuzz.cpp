// Fuzzes what a desktop file can make Lumetta do: the loader must reject bad
// input with an error value, and a desktop it accepts must survive its
// timeline (the scripted user acting on the menu-bar application's popover
// included), the classification report and the tree capture. The same bytes
// go to the settings file reader, which must answer with a value too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "classify/report.h"
#include "diagnostics/tree_capture.h"
#include "menu/menu_bar_app.h"
#include "platform/sim/services/sim_user_defaults.h"
#include "platform/sim/sim_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumetta;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sim::parseDefaults(text);
  sim::LoadResult result = sim::parseDesktop(text, "fuzz.json");
  if (!result) return 0;
  sim::SimPlatform platform(std::move(result).value(), sim::TimeSource::manual);
  classificationSnapshot(platform.platform());
  {
    const auto overlays = OverlayController::create(platform.platform());
    // "Quit" does what the application run's does.
    MenuBarApp menu(platform.platform(), *overlays, [&] {
      overlays->stop();
      platform.platform().application.terminate();
    });
    // The timeline in virtual time, up to 30 seconds of it.
    const auto& timeline = platform.desktop().timeline();
    const Duration last = timeline.empty() ? Duration::zero() : timeline.back().at;
    platform.manualRunLoop().runFor(std::min(last, Duration::seconds(30)));
    overlays->stop();
  }
  capture(platform.platform(), 30, 500);
  classificationSnapshot(platform.platform());
  return 0;
}
