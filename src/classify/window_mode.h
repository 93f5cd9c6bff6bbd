// Mode classification: the mode vocabulary and the conservative decision
// from a window's evidence. Pure; touches no platform service.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumetta {

enum class WindowMode { chatGPT, codex, unknown };

std::string_view rawValue(WindowMode mode);

inline constexpr std::string_view kModeLabelPrefix = "Switch mode, current mode: ";
inline constexpr std::string_view kModeNames[] = {"ChatGPT", "Codex"};

// One element that may be the mode switcher. A failed read is the empty text.
struct ModeEvidence {
  std::string role;
  std::string title;
  std::string description;

  // The mode names whose label this element carries, in list order; empty
  // unless the element is a pop-up button.
  std::vector<std::string_view> modes() const;

  bool operator==(const ModeEvidence&) const = default;
};

struct ModeDecision {
  WindowMode mode;
  std::string reason;
};

ModeDecision decideMode(const std::vector<ModeEvidence>& evidence, bool complete, bool dialog);

}  // namespace lumetta
