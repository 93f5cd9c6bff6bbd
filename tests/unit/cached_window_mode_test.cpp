#include "classify/cached_window_mode.h"

#include <gtest/gtest.h>

namespace lumetta {
namespace {

using Observation = ModeObservation;

TEST(CachedWindowMode, ConfirmedModeSurvivesGapsWithExplanations) {
  CachedWindowMode cache;
  cache.update(Observation::incomplete());
  EXPECT_EQ(cache.explanation, "No confirmed mode; AX scan incomplete");
  cache.update(Observation::missing());
  EXPECT_EQ(cache.explanation, "No confirmed mode yet");

  cache.update(Observation::known(WindowMode::codex));
  EXPECT_EQ(cache, (CachedWindowMode{WindowMode::codex, false, "Confirmed Codex"}));
  cache.update(Observation::missing());
  EXPECT_EQ(cache, (CachedWindowMode{WindowMode::codex, false, "Retaining Codex: label absent"}));
  cache.update(Observation::incomplete());
  EXPECT_EQ(cache.explanation, "Retaining Codex: AX scan incomplete");
  EXPECT_EQ(cache.effective(), WindowMode::codex);
}

TEST(CachedWindowMode, SuspensionHoldsUntilKnownEvidence) {
  CachedWindowMode cache{WindowMode::chatGPT, false};
  cache.update(Observation::ambiguous());
  EXPECT_EQ(cache, (CachedWindowMode{WindowMode::chatGPT, true,
                                     "Color layer hidden: conflicting/ambiguous mode evidence"}));
  cache.update(Observation::missing());
  EXPECT_EQ(cache.explanation, "Color layer hidden: ambiguity unresolved; label absent");
  cache.update(Observation::incomplete());
  EXPECT_EQ(cache.explanation, "Color layer hidden: ambiguity unresolved; AX scan incomplete");
  EXPECT_EQ(cache.effective(), WindowMode::unknown);
  cache.update(Observation::known(WindowMode::chatGPT));
  EXPECT_EQ(cache, (CachedWindowMode{WindowMode::chatGPT, false, "Confirmed ChatGPT"}));
}

TEST(CachedWindowMode, DialogClearsAndStaysSuspended) {
  CachedWindowMode cache{WindowMode::codex, false, "Confirmed Codex"};
  cache.update(Observation::dialog());
  EXPECT_EQ(cache, (CachedWindowMode{WindowMode::unknown, true, "Dialog excluded"}));
  cache.update(Observation::missing());
  EXPECT_EQ(cache.explanation, "Color layer hidden: ambiguity unresolved; label absent");
  EXPECT_TRUE(cache.suspended);
}

TEST(CachedWindowMode, KnownUnknownChangesNothing) {
  for (CachedWindowMode cache :
       {CachedWindowMode{}, CachedWindowMode{WindowMode::codex, true, "x"}}) {
    CachedWindowMode before = cache;
    cache.update(Observation::known(WindowMode::unknown));
    EXPECT_EQ(cache, before);
  }
}

}  // namespace
}  // namespace lumetta
