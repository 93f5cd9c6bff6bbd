// Which running applications are targets: the ChatGPT and Codex apps,
// recognised by bundle identifier or, failing that, by name.
#pragma once

#include <string_view>
#include <vector>

#include "platform/workspace.h"

namespace lumetta {

inline constexpr std::string_view kTargetBundleIdentifiers[] = {
    "com.openai.chat", "com.openai.ChatGPT", "com.openai.codex"};
inline constexpr std::string_view kTargetApplicationNames[] = {"ChatGPT", "Codex"};

bool isTargetApp(const RunningApplication& app);

// The running target applications in ascending process-id order.
std::vector<RunningApplication> targetApps(Workspace& workspace);

}  // namespace lumetta
