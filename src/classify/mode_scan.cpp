#include "classify/mode_scan.h"

#include <set>
#include <string_view>
#include <unordered_set>

#include "support/text_format.h"

namespace lumetta {

namespace {

constexpr std::string_view kRoleAndChildren[] = {"AXRole", "AXChildren"};
constexpr std::string_view kTitleAndDescription[] = {"AXTitle", "AXDescription"};

bool toleratedLabelError(AXError code) {
  return code == axerr::success || code == axerr::noValue || code == axerr::attributeUnsupported;
}

std::string withCode(std::string_view text, AXError code) {
  return std::string(text) + std::to_string(code);
}

}  // namespace

ModeObservation ModeScan::observation() const {
  if (excludedDialog) return ModeObservation::dialog();
  if (evidence.size() > 1 || (evidence.size() == 1 && evidence.front().modes().size() > 1)) {
    return ModeObservation::ambiguous();
  }
  if (!complete) return ModeObservation::incomplete();
  if (mode == WindowMode::unknown) return ModeObservation::missing();
  return ModeObservation::known(mode);
}

ModeScan scanMode(Accessibility& ax, Clock& clock, const Element& window,
                  const std::function<bool()>& shouldContinue) {
  ModeScan scan;
  std::set<std::string> failures;  // distinct and sorted, as the reason lists them
  std::vector<Element> queue{window};
  std::unordered_set<Element, ElementHash> seen;
  const Uptime deadline = clock.uptime() + kScanBudget;

  std::size_t index = 0;
  while (index < queue.size()) {
    if ((shouldContinue && !shouldContinue()) || index > kScanQueueLimit - 1 ||
        clock.uptime() > deadline) {
      failures.insert("traversal budget");
      break;
    }
    const Element element = queue[index++];
    if (!seen.insert(element).second) continue;

    // Role and children come back in one round trip; labels are read only
    // from the few elements whose role calls for them.
    auto basics = ax.copyAttributeValues(element, kRoleAndChildren);
    const ReadResult& roleRead = basics[0];
    const ReadResult& childrenRead = basics[1];

    if (roleRead.error != axerr::success) failures.insert(withCode("AXRole error=", roleRead.error));
    const std::string role = textOf(roleRead);

    if (role == "AXWebArea") {
      scan.webAreas.push_back(element);
    } else if (role == "AXButton") {
      std::string title = axString(ax, element, "AXTitle");
      if (title == "Show sidebar" || title == "Hide sidebar") {
        scan.sidebarLabels.push_back(std::move(title));
      }
    } else if (role == "AXPopUpButton") {
      auto labels = ax.copyAttributeValues(element, kTitleAndDescription);
      if (!toleratedLabelError(labels[0].error) || !toleratedLabelError(labels[1].error)) {
        failures.insert("popup title/description error=" + std::to_string(labels[0].error) + "/" +
                        std::to_string(labels[1].error));
      }
      ModeEvidence evidence{role, textOf(labels[0]), textOf(labels[1])};
      if (!evidence.modes().empty()) {
        scan.evidence.push_back(std::move(evidence));
        scan.buttons.push_back(element);
      }
    }

    if (childrenRead.error == axerr::noValue || childrenRead.error == axerr::attributeUnsupported) {
      // No children.
    } else if (childrenRead.error != axerr::success) {
      failures.insert(withCode("AXChildren error=", childrenRead.error));
    } else if (auto children = elementsOf(childrenRead)) {
      queue.insert(queue.end(), children->begin(), children->end());
    } else {
      failures.insert("AXChildren invalid type");
    }
  }

  const ReadResult subrole = readAX(ax, window, "AXSubrole");
  if (subrole.error != axerr::success) failures.insert(withCode("AXSubrole error=", subrole.error));
  const std::string subroleText = textOf(subrole);
  scan.excludedDialog = subroleText == "AXDialog" || subroleText == "AXSystemDialog";

  scan.complete = failures.empty();
  ModeDecision decision = decideMode(scan.evidence, scan.complete, scan.excludedDialog);
  scan.mode = decision.mode;
  scan.reason = std::move(decision.reason);
  if (!failures.empty()) scan.reason += ": " + joined(failures, ", ");
  scan.visited = static_cast<std::int64_t>(index);
  return scan;
}

}  // namespace lumetta
