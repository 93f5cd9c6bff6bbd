#include "diagnostics/tree_capture.h"

#include <algorithm>
#include <vector>

#include "classify/attribute_text.h"
#include "classify/mode_scan.h"
#include "classify/report.h"
#include "classify/target_apps.h"
#include "support/text_format.h"

namespace lumetta {

namespace {

constexpr std::string_view kNodeAttributes[] = {"AXRole",          "AXSubrole", "AXIdentifier",
                                                "AXDOMIdentifier", "AXTitle",   "AXDescription",
                                                "AXHelp",          "AXURL",     "AXChildren"};
constexpr std::string_view kWindowAttributes[] = {
    "AXTitle", "AXRole",          "AXSubrole",  "AXIdentifier", "AXDescription",
    "AXHelp",  "AXDOMIdentifier", "AXDocument", "AXURL",        "AXPosition",
    "AXSize",  "AXFocused",       "AXMain",     "AXMinimized",  "AXFullScreen"};
constexpr std::string_view kWindowStructure[] = {
    "AXChildren", "AXContents", "AXToolbar", "AXCloseButton", "AXMinimizeButton", "AXZoomButton"};

std::string indent(int depth) { return std::string(std::size_t(depth) * 2, ' '); }

// The walk of one window's elements, bounded by depth, node count and time.
class Walk {
 public:
  Walk(Accessibility& ax, Clock& clock, int depth, int limit, std::vector<std::string>& lines)
      : ax_(ax),
        clock_(clock),
        depth_(depth),
        limit_(limit),
        lines_(lines),
        deadline_(clock.uptime() + kCaptureWindowBudget) {}

  void visit(const Element& element, int depth, const std::string& path) {
    if (nodes_ >= limit_) return;
    if (clock_.uptime() > deadline_) {
      if (!budgetReported_) lines_.push_back("<5-second child traversal budget reached>");
      budgetReported_ = true;
      return;
    }
    if (std::find(visited_.begin(), visited_.end(), element) != visited_.end()) {
      lines_.push_back(path + ": <already visited>");
      return;
    }
    visited_.push_back(element);
    ++nodes_;

    const std::string pad = indent(depth);
    lines_.push_back(pad + path);
    // The node's attributes and its children in one round trip.
    auto reads = ax_.copyAttributeValues(element, kNodeAttributes);
    for (std::size_t i = 0; i + 1 < reads.size(); ++i) {
      if (reads[i].error == axerr::success && reads[i].value) {
        lines_.push_back(pad + "  " + std::string(kNodeAttributes[i]) + ": " +
                         describe(*reads[i].value));
      }
    }
    const ReadResult& childrenRead = reads.back();
    if (childrenRead.error != axerr::success) {
      lines_.push_back(pad + "  AXChildren: <AXError " + std::to_string(childrenRead.error) + ">");
      return;
    }
    const std::vector<Element> children = elementsOf(childrenRead).value_or(std::vector<Element>{});
    lines_.push_back(pad + "  AXChildren count=" + std::to_string(children.size()));
    if (depth >= depth_) {
      if (!children.empty()) lines_.push_back(pad + "  <depth limit reached>");
      return;
    }
    for (std::size_t k = 0; k < children.size(); ++k) {
      if (nodes_ >= limit_) {
        lines_.push_back(pad + "  <node limit reached>");
        break;
      }
      visit(children[k], depth + 1, path + "/AXChildren[" + std::to_string(k) + "]");
    }
  }

 private:
  Accessibility& ax_;
  Clock& clock_;
  const int depth_;
  const int limit_;
  std::vector<std::string>& lines_;
  const Uptime deadline_;
  int nodes_ = 0;
  std::vector<Element> visited_;  // platform equality, searched in order
  bool budgetReported_ = false;
};

std::string attributeNamesLine(Accessibility& ax, const Element& window) {
  ReadResult names = ax.copyAttributeNames(window);
  const auto* list =
      names.error == axerr::success && names.value ? names.value->get<ValueArray>() : nullptr;
  std::vector<std::string> texts;
  for (std::size_t i = 0; list && i < list->size(); ++i) {
    const auto* text = (*list)[i].get<std::string>();
    if (!text) {
      list = nullptr;
      break;
    }
    texts.push_back(*text);
  }
  if (!list) return "Exposed attribute names: <AXError " + std::to_string(names.error) + ">";
  std::sort(texts.begin(), texts.end());
  return "Exposed attribute names: " + joined(texts, ", ");
}

void captureApplication(const Platform& platform, const RunningApplication& app, int depth,
                        int limit, std::vector<std::string>& lines) {
  Accessibility& ax = platform.accessibility;
  const std::string path = app.bundleURL ? fileSystemPath(*app.bundleURL).value_or("?") : "?";
  lines.push_back("APPLICATION name=" + app.localizedName.value_or("?") + " pid=" +
                  std::to_string(app.pid) + " bundle=" + app.bundleIdentifier.value_or("?"));
  lines.push_back("bundleURL=" + path);
  if (!ax.isProcessTrusted()) {
    lines.push_back("Permission required before reading AXWindows.\n");
    return;
  }
  Element application = ax.applicationElement(app.pid);
  ax.setMessagingTimeout(application, kDiagnosticMessagingTimeout);
  lines.push_back(attributeLine(ax, application, "AXFocusedWindow"));
  lines.push_back(attributeLine(ax, application, "AXMainWindow"));

  ReadResult windowsRead = readAX(ax, application, "AXWindows");
  auto windows = elementsOf(windowsRead);
  if (!windows) {
    lines.push_back("AXWindows: " + errorText(windowsRead.error) + "\n");
    return;
  }
  lines.push_back("AXWindows count=" + std::to_string(windows->size()));
  for (std::size_t i = 0; i < windows->size(); ++i) {
    const Element& window = (*windows)[i];
    lines.push_back("\nWINDOW " + std::to_string(i + 1) + " [pid " + std::to_string(app.pid) +
                    ", transient AX hash " + std::to_string(window.hash()) + "]");
    lines.push_back("Hash is a session reference, not a semantic identifier or stable window ID.");
    lines.push_back(modeSummary(scanMode(ax, platform.clock, window)));
    for (std::string& line : attributeLines(ax, window, kWindowAttributes))
      lines.push_back(std::move(line));
    lines.push_back(attributeNamesLine(ax, window));
    for (std::string& line : attributeLines(ax, window, kWindowStructure))
      lines.push_back(std::move(line));
    Walk(ax, platform.clock, depth, limit, lines)
        .visit(window, 0, "window[" + std::to_string(i) + "]");
  }
  lines.push_back("");
}

}  // namespace

Capture capture(const Platform& platform, int depth, int limit) {
  std::vector<std::string> lines{
      "Panescope \u00b7 " + iso8601(platform.clock.now()),
      std::string("Accessibility trusted: ") +
          (platform.accessibility.isProcessTrusted() ? "true" : "false"),
      std::string("AX coordinates: global desktop coordinates, origin at the upper-left of the "
                  "primary display."),
      "Semantic AXPopUpButton classification; raw child limit " + std::to_string(limit) +
          ", depth " + std::to_string(depth) + ".",
      "Child titles/descriptions may contain conversation text. No AXValue content read.",
      ""};
  const auto apps = targetApps(platform.workspace);
  if (apps.empty()) lines.push_back("No matching running ChatGPT/Codex applications detected.");
  for (const RunningApplication& app : apps) captureApplication(platform, app, depth, limit, lines);

  return Capture{joined(lines, "\n")};
}

}  // namespace lumetta
