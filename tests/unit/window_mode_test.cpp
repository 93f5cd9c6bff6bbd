#include "classify/window_mode.h"

#include <gtest/gtest.h>

namespace lumetta {
namespace {

const std::string kGpt = "Switch mode, current mode: ChatGPT";
const std::string kCodex = "Switch mode, current mode: Codex";

TEST(WindowMode, RawValuesRoundTripAndAreCaseSensitive) {
  for (WindowMode mode : {WindowMode::chatGPT, WindowMode::codex, WindowMode::unknown}) {
    EXPECT_EQ(windowModeFromRaw(rawValue(mode)), mode);
  }
  EXPECT_EQ(windowModeFromRaw("chatgpt"), std::nullopt);
  EXPECT_EQ(windowModeFromRaw("Codex "), std::nullopt);
}

TEST(ModeEvidence, LabelsAreSubstringsOfPopUpButtonTexts) {
  using Names = std::vector<std::string_view>;
  EXPECT_EQ((ModeEvidence{"AXPopUpButton", "Mode: " + kCodex + " (beta)", ""}.modes()),
            Names{"Codex"});
  EXPECT_EQ((ModeEvidence{"AXPopUpButton", kCodex, kGpt}.modes()), (Names{"ChatGPT", "Codex"}));
  EXPECT_EQ((ModeEvidence{"AXPopUpButton", kGpt, kGpt}.modes()), Names{"ChatGPT"});
  EXPECT_TRUE((ModeEvidence{"AXButton", kGpt, kGpt}.modes().empty()));
  EXPECT_TRUE(
      (ModeEvidence{"AXPopUpButton", "switch mode, current mode: ChatGPT", ""}.modes().empty()));
  // The prefix ends in one blank: without it there is no label.
  EXPECT_TRUE(
      (ModeEvidence{"AXPopUpButton", "Switch mode, current mode:ChatGPT", ""}.modes().empty()));
}

TEST(DecideMode, RulesApplyInOrder) {
  const ModeEvidence gpt{"AXPopUpButton", kGpt, ""};
  const ModeEvidence codex{"AXPopUpButton", "", kCodex};
  const ModeEvidence plain{"AXPopUpButton", "Model", ""};

  auto decided = decideMode({gpt}, false, true);
  EXPECT_EQ(decided.reason, "Dialog excluded");  // dialog wins over incompleteness
  EXPECT_EQ(decideMode({gpt}, false, false).reason, "Incomplete AX traversal");
  decided = decideMode({plain, codex, plain}, true, false);
  EXPECT_EQ(decided.mode, WindowMode::codex);
  EXPECT_EQ(decided.reason, "One unambiguous semantic AXPopUpButton");
  EXPECT_EQ(decideMode({{"AXPopUpButton", kGpt, kCodex}}, true, false).reason,
            "Conflicting semantic labels");
  EXPECT_EQ(decideMode({plain}, true, false).reason, "No semantic mode button");
  decided = decideMode({gpt, gpt}, true, false);
  EXPECT_EQ(decided.mode, WindowMode::unknown);
  EXPECT_EQ(decided.reason, "Multiple semantic mode buttons (ambiguous)");
}

}  // namespace
}  // namespace lumetta
