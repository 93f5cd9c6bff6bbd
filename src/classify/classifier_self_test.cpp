// The built-in check of the evidence decision, run by --self-test.
#include "classify/self_tests.h"

#include <string>

#include "classify/window_mode.h"
#include "support/output.h"

namespace lumetta {

bool classifierSelfTest(std::ostream& out) {
  const std::string gpt = std::string(kModeLabelPrefix) + "ChatGPT";
  const std::string codex = std::string(kModeLabelPrefix) + "Codex";
  const ModeEvidence gptButton{"AXPopUpButton", gpt, gpt};
  const ModeEvidence codexButton{"AXPopUpButton", "", codex};

  struct Case {
    const char* name;
    std::vector<ModeEvidence> evidence;
    bool complete;
    bool dialog;
    WindowMode expected;
  };
  const Case cases[] = {
      {"title and description agreeing count once", {gptButton}, true, false, WindowMode::chatGPT},
      {"description only", {codexButton}, true, false, WindowMode::codex},
      {"missing evidence", {}, true, false, WindowMode::unknown},
      {"title description conflict",
       {{"AXPopUpButton", gpt, codex}},
       true,
       false,
       WindowMode::unknown},
      {"conflicting buttons", {gptButton, codexButton}, true, false, WindowMode::unknown},
      {"duplicate same-mode buttons ambiguous",
       {gptButton, gptButton},
       true,
       false,
       WindowMode::unknown},
      {"incomplete tree cannot prove uniqueness", {gptButton}, false, false, WindowMode::unknown},
      {"dialog stays unknown", {gptButton}, true, true, WindowMode::unknown},
      {"other role ignored", {{"AXButton", gpt, gpt}}, true, false, WindowMode::unknown},
      {"incidental chat title ignored",
       {{"AXPopUpButton", "ChatGPT", "Codex"}},
       true,
       false,
       WindowMode::unknown},
  };

  bool allPassed = true;
  for (const Case& c : cases) {
    WindowMode decided = decideMode(c.evidence, c.complete, c.dialog).mode;
    bool passed = decided == c.expected;
    allPassed = allPassed && passed;
    printLine(out, std::string(passed ? "PASS " : "FAIL ") + c.name + ": " +
                       std::string(rawValue(decided)));
  }
  return allPassed;
}

}  // namespace lumetta
