#include "classify/window_mode.h"

#include <algorithm>

namespace lumetta {

std::string_view rawValue(WindowMode mode) {
  switch (mode) {
    case WindowMode::chatGPT: return "ChatGPT";
    case WindowMode::codex: return "Codex";
    case WindowMode::unknown: return "Unknown";
  }
  return "Unknown";
}

std::vector<std::string_view> ModeEvidence::modes() const {
  std::vector<std::string_view> names;
  if (role != "AXPopUpButton") return names;
  for (std::string_view name : kModeNames) {
    std::string label = std::string(kModeLabelPrefix) + std::string(name);
    if (title.find(label) != std::string::npos || description.find(label) != std::string::npos) {
      names.push_back(name);
    }
  }
  return names;
}

ModeDecision decideMode(const std::vector<ModeEvidence>& evidence, bool complete, bool dialog) {
  if (dialog) return {WindowMode::unknown, "Dialog excluded"};
  if (!complete) return {WindowMode::unknown, "Incomplete AX traversal"};

  std::vector<std::vector<std::string_view>> semantic;
  for (const ModeEvidence& item : evidence) {
    auto names = item.modes();
    if (!names.empty()) semantic.push_back(std::move(names));
  }
  if (semantic.empty()) return {WindowMode::unknown, "No semantic mode button"};
  if (semantic.size() > 1) {
    return {WindowMode::unknown, "Multiple semantic mode buttons (ambiguous)"};
  }
  if (semantic.front().size() > 1) return {WindowMode::unknown, "Conflicting semantic labels"};
  WindowMode mode = semantic.front().front() == "ChatGPT" ? WindowMode::chatGPT : WindowMode::codex;
  return {mode, "One unambiguous semantic AXPopUpButton"};
}

}  // namespace lumetta
