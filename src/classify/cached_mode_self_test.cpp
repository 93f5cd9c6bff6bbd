// The built-in check of the cached window mode, run by --self-test. Its last
// two cases check the conversion to AppKit coordinates that placing an
// overlay relies on.
#include "classify/self_tests.h"

#include "classify/cached_window_mode.h"
#include "geometry/window_frame.h"
#include "support/check.h"

namespace lumetta {

bool cachedModeSelfTest(std::ostream& out) {
  SelfCheck check(out);
  CachedWindowMode cache;
  cache.update(ModeObservation::missing());
  check.expect("new Unknown window gets no border", cache.effective() == WindowMode::unknown);

  cache.update(ModeObservation::known(WindowMode::chatGPT));
  cache.update(ModeObservation::missing());
  check.expect("sidebar closure retains ChatGPT", cache.effective() == WindowMode::chatGPT);

  cache.update(ModeObservation::known(WindowMode::codex));
  cache.update(ModeObservation::missing());
  check.expect("switch updates cache to Codex; closure retains it",
               cache.effective() == WindowMode::codex);

  cache.update(ModeObservation::incomplete());
  check.expect("temporary AX read gap retains confirmed mode",
               cache.effective() == WindowMode::codex);

  cache.update(ModeObservation::ambiguous());
  cache.update(ModeObservation::missing());
  check.expect("ambiguous evidence suspends border through missing evidence",
               cache.effective() == WindowMode::unknown);

  cache.update(ModeObservation::known(WindowMode::chatGPT));
  check.expect("new known evidence resolves suspension", cache.effective() == WindowMode::chatGPT);

  cache.update(ModeObservation::dialog());
  check.expect("dialog clears previous mode", cache.effective() == WindowMode::unknown);

  check.expect("destroy/relaunch creates empty cache",
               CachedWindowMode{}.effective() == WindowMode::unknown);

  check.expect("negative display coordinates convert correctly",
               appKitRect({-900, -500, 600, 400}, 1080) == ScreenRect{-900, 1180, 600, 400});
  check.expect("display below primary converts correctly",
               appKitRect({200, 1200, 800, 600}, 1080) == ScreenRect{200, -720, 800, 600});
  return check.passed();
}

}  // namespace lumetta
