#include "app/self_test.h"

#include <functional>

#include "classify/self_tests.h"
#include "geometry/self_tests.h"
#include "overlay/self_tests.h"
#include "power/self_tests.h"
#include "renderer/self_tests.h"

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
        return overlayActivitySelfTest(out, platform.runLoop, platform.clock,
                                       platform.windowServer);
      },
      [&] { return overlayCornerSelfTest(out, platform.panels); },
      [&] { return rendererAccessibilitySelfTest(out); },
  };
  bool allPassed = true;
  for (const auto& suite : suites) allPassed = suite() && allPassed;
  return allPassed;
}

}  // namespace lumetta
