#include "platform/sim/services/run_outcome.h"

#include "support/text_format.h"

namespace lumetta::sim {

std::vector<std::string> runOutcome(const SimPasteboard& pasteboard, const SimWorkspace& workspace,
                                    SimLoginItem& loginItem) {
  std::vector<std::string> lines;
  if (const auto& text = pasteboard.text()) {
    lines.emplace_back("PASTEBOARD");
    for (const std::string& line : splitLines(*text))
      lines.push_back("  | " + escapedControls(line));
  } else {
    lines.emplace_back("PASTEBOARD empty");
  }
  for (const std::string& url : workspace.openedURLs()) lines.push_back("OPENED URL " + url);
  for (const auto& paths : workspace.revealedPaths()) {
    std::vector<std::string> shown;
    for (const std::string& path : paths) shown.push_back(escapedControls(path));
    lines.push_back("REVEALED " + joined(shown, ", "));
  }
  for (int opened = 0; opened < loginItem.approvalSettingsOpened(); ++opened) {
    lines.emplace_back("OPENED LOGIN ITEMS SETTINGS");
  }
  lines.push_back("LOGIN ITEM " + std::string(loginItemStatusName(loginItem.status())));
  return lines;
}

}  // namespace lumetta::sim
