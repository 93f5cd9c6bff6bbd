#include "classify/cached_window_mode.h"

#include <gtest/gtest.h>

namespace lumetta {
namespace {

using Observation = ModeObservation;

// One window's life, observation by observation, with the cache after each.
// The effective modes alone are the self-test's; here the explanations too.
TEST(CachedWindowMode, KeepsConfirmedModesThroughGapsAndExplainsEachStep) {
  const WindowMode none = WindowMode::unknown, codex = WindowMode::codex;
  const std::string hidden = "Color layer hidden: ambiguity unresolved; ";
  const std::pair<Observation, CachedWindowMode> steps[] = {
      {Observation::incomplete(), {none, false, "No confirmed mode; AX scan incomplete"}},
      {Observation::missing(), {none, false, "No confirmed mode yet"}},
      {Observation::known(codex), {codex, false, "Confirmed Codex"}},
      {Observation::missing(), {codex, false, "Retaining Codex: label absent"}},
      {Observation::incomplete(), {codex, false, "Retaining Codex: AX scan incomplete"}},
      {Observation::known(none), {codex, false, "Retaining Codex: AX scan incomplete"}},
      {Observation::ambiguous(),
       {codex, true, "Color layer hidden: conflicting/ambiguous mode evidence"}},
      {Observation::missing(), {codex, true, hidden + "label absent"}},
      {Observation::incomplete(), {codex, true, hidden + "AX scan incomplete"}},
      {Observation::known(none), {codex, true, hidden + "AX scan incomplete"}},
      {Observation::known(WindowMode::chatGPT), {WindowMode::chatGPT, false, "Confirmed ChatGPT"}},
      {Observation::dialog(), {none, true, "Dialog excluded"}},
      {Observation::missing(), {none, true, hidden + "label absent"}},
  };
  CachedWindowMode cache;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    cache.update(steps[i].first);
    EXPECT_EQ(cache, steps[i].second) << "step " << i;
  }
}

}  // namespace
}  // namespace lumetta
