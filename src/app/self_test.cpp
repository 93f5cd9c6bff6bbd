#include "app/self_test.h"

#include <functional>

#include "classify/cached_window_mode.h"
#include "classify/window_mode.h"
#include "geometry/exposed_regions.h"
#include "geometry/server_windows.h"
#include "overlay/gray_chrome.h"
#include "overlay/passive_panel.h"
#include "power/overlay_activity_gate.h"
#include "renderer/renderer_accessibility_requests.h"

namespace lumetta {

bool runSelfTests(std::ostream& out, const Platform& platform) {
  const std::function<bool()> suites[] = {
      [&] { return classifierSelfTest(out); },
      [&] { return cachedModeSelfTest(out); },
      [&] { return panelSelfTest(out, platform.panels); },
      [&] { return grayTintSelfTest(out); },
      [&] { return visibilitySelfTest(out); },
      [&] { return mappingSelfTest(out); },
      [&] {
        return overlayActivitySelfTest(out, platform.runLoop, platform.clock, platform.windowServer);
      },
      [&] { return overlayCornerSelfTest(out, platform.panels); },
      [&] { return rendererAccessibilitySelfTest(out); },
  };
  bool allPassed = true;
  for (const auto& suite : suites) allPassed = suite() && allPassed;
  return allPassed;
}

}  // namespace lumetta
