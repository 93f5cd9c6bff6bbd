#include "classify/report.h"

#include <vector>

#include "classify/attribute_text.h"
#include "classify/target_apps.h"
#include "support/text_format.h"

namespace lumetta {

namespace {

constexpr std::string_view kFocusAttributes[] = {"AXFocusedWindow", "AXMainWindow"};
constexpr std::string_view kWindowDetailAttributes[] = {"AXFocused",    "AXMain",     "AXMinimized",
                                                        "AXFullScreen", "AXPosition", "AXSize"};

const char* truth(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string modeSummary(const ModeScan& scan) {
  std::vector<std::string> lines;
  lines.push_back("CLASSIFICATION: " + std::string(rawValue(scan.mode)) + " \u2014 " + scan.reason);
  lines.push_back(std::string("Traversal complete=") + truth(scan.complete) +
                  " nodes=" + std::to_string(scan.visited) +
                  " semantic buttons=" + std::to_string(scan.buttons.size()));
  lines.push_back("Sidebar controls (diagnostic only): " + joined(scan.sidebarLabels, ", "));
  for (const ModeEvidence& evidence : scan.evidence) {
    lines.push_back("Evidence AXRole=" + evidence.role +
                    " AXTitle=" + quotedLiteral(evidence.title) +
                    " AXDescription=" + quotedLiteral(evidence.description));
  }
  return joined(lines, "\n");
}

std::string focusSummary(Accessibility& ax, const Element& application, const Element& window) {
  auto reads = ax.copyAttributeValues(application, kFocusAttributes);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < reads.size(); ++i) {
    std::string line = std::string(kFocusAttributes[i]) + " match: ";
    const Element* focused = reads[i].error == axerr::success && reads[i].value
                                 ? reads[i].value->get<Element>()
                                 : nullptr;
    if (focused) {
      line += truth(*focused == window);
    } else {
      line += "unavailable error=" + std::to_string(reads[i].error);
    }
    lines.push_back(std::move(line));
  }
  return joined(lines, "\n");
}

std::string classificationSnapshot(const Platform& platform) {
  Accessibility& ax = platform.accessibility;
  const bool trusted = ax.isProcessTrusted();
  std::vector<std::string> lines{iso8601(platform.clock.now()) + " trusted=" + truth(trusted)};
  if (!trusted) return lines.front();

  for (const RunningApplication& app : targetApps(platform.workspace)) {
    Element application = ax.applicationElement(app.pid);
    ax.setMessagingTimeout(application, kDiagnosticMessagingTimeout);
    lines.push_back("APP " + app.localizedName.value_or("?") + " pid=" + std::to_string(app.pid) +
                    " bundle=" + app.bundleIdentifier.value_or("?"));

    ReadResult windowsRead = readAX(ax, application, "AXWindows");
    auto windows = elementsOf(windowsRead);
    if (!windows) {
      lines.push_back("AXWindows error=" + std::to_string(windowsRead.error));
      continue;
    }
    for (std::size_t i = 0; i < windows->size(); ++i) {
      const Element& window = (*windows)[i];
      lines.push_back("WINDOW " + std::to_string(i + 1) + " " +
                      attributeLine(ax, window, "AXSubrole"));
      lines.push_back(std::string("Active app: ") + truth(app.active));
      lines.push_back(focusSummary(ax, application, window));
      lines.push_back(modeSummary(scanMode(ax, platform.clock, window)));
      for (std::string& line : attributeLines(ax, window, kWindowDetailAttributes)) {
        lines.push_back(std::move(line));
      }
    }
  }
  return joined(lines, "\n");
}

}  // namespace lumetta
