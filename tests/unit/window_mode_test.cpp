#include "classify/window_mode.h"

#include <gtest/gtest.h>

namespace lumetta {
namespace {

const std::string kGpt = "Switch mode, current mode: ChatGPT";
const std::string kCodex = "Switch mode, current mode: Codex";

TEST(ModeEvidence, LabelsAreSubstringsOfPopUpButtonTexts) {
  using Names = std::vector<std::string_view>;
  EXPECT_EQ((ModeEvidence{"AXPopUpButton", "Mode: " + kCodex + " (beta)", ""}.modes()),
            Names{"Codex"});
  EXPECT_TRUE(
      (ModeEvidence{"AXPopUpButton", "switch mode, current mode: ChatGPT", ""}.modes().empty()));
  // The prefix ends in one blank: without it there is no label.
  EXPECT_TRUE(
      (ModeEvidence{"AXPopUpButton", "Switch mode, current mode:ChatGPT", ""}.modes().empty()));
}

// The modes decided are the self-test's, and the other reasons are pinned by
// the classify-* end-to-end cases.
TEST(DecideMode, RulesApplyInOrder) {
  const ModeEvidence gpt{"AXPopUpButton", kGpt, ""};
  const ModeEvidence plain{"AXPopUpButton", "Model", ""};
  EXPECT_EQ(decideMode({gpt}, false, true).reason, "Dialog excluded") << "over incompleteness";
  EXPECT_EQ(decideMode({plain, gpt, plain}, true, false).mode, WindowMode::chatGPT);
  EXPECT_EQ(decideMode({{"AXPopUpButton", kGpt, kCodex}}, true, false).reason,
            "Conflicting semantic labels");
  EXPECT_EQ(decideMode({gpt, gpt}, true, false).reason,
            "Multiple semantic mode buttons (ambiguous)");
}

}  // namespace
}  // namespace lumetta
