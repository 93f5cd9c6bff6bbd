#include "classify/mode_scan.h"

#include <set>
#include <string_view>
#include <unordered_set>

#include "support/text_format.h"

namespace lumetta {

namespace {

constexpr std::string_view kRoleAndChildren[] = {"AXRole", "AXChildren"};
constexpr std::string_view kTitleAndDescription[] = {"AXTitle", "AXDescription"};

using Failures = std::set<std::string>;  // distinct and sorted, as the reason lists them

bool toleratedLabelError(AXError code) {
  return code == axerr::success || code == axerr::noValue || code == axerr::attributeUnsupported;
}

std::string withCode(std::string_view text, AXError code) {
  return std::string(text) + std::to_string(code);
}

// Asked before every queue entry is taken.
bool budgetSpent(std::size_t index, Clock& clock, Uptime deadline,
                 const std::function<bool()>& shouldContinue) {
  return (shouldContinue && !shouldContinue()) || index > kScanQueueLimit - 1 ||
         clock.uptime() > deadline;
}

std::string roleOf(const ReadResult& roleRead, Failures& failures) {
  if (roleRead.error != axerr::success) failures.insert(withCode("AXRole error=", roleRead.error));
  return textOf(roleRead);
}

void noteSidebarToggle(Accessibility& ax, const Element& button, ModeScan& scan) {
  std::string title = axString(ax, button, "AXTitle");
  if (title == "Show sidebar" || title == "Hide sidebar")
    scan.sidebarLabels.push_back(std::move(title));
}

// A pop-up button whose labels name a mode is evidence; one without is ignored.
void collectModeButton(Accessibility& ax, const Element& button, ModeScan& scan,
                       Failures& failures) {
  auto labels = ax.copyAttributeValues(button, kTitleAndDescription);
  if (!toleratedLabelError(labels[0].error) || !toleratedLabelError(labels[1].error)) {
    failures.insert("popup title/description error=" + std::to_string(labels[0].error) + "/" +
                    std::to_string(labels[1].error));
  }
  ModeEvidence evidence{"AXPopUpButton", textOf(labels[0]), textOf(labels[1])};
  if (evidence.modes().empty()) return;
  scan.evidence.push_back(std::move(evidence));
  scan.buttons.push_back(button);
}

void queueChildren(const ReadResult& childrenRead, std::vector<Element>& queue,
                   Failures& failures) {
  if (childrenRead.error == axerr::noValue || childrenRead.error == axerr::attributeUnsupported) {
    return;  // no children
  }
  if (childrenRead.error != axerr::success) {
    failures.insert(withCode("AXChildren error=", childrenRead.error));
  } else if (auto children = elementsOf(childrenRead)) {
    queue.insert(queue.end(), children->begin(), children->end());
  } else {
    failures.insert("AXChildren invalid type");
  }
}

// One element: role and children come back in one round trip; labels are
// read only from the few elements whose role calls for them.
void visit(Accessibility& ax, const Element& element, ModeScan& scan, std::vector<Element>& queue,
           Failures& failures) {
  auto basics = ax.copyAttributeValues(element, kRoleAndChildren);
  const std::string role = roleOf(basics[0], failures);
  if (role == "AXWebArea") {
    scan.webAreas.push_back(element);
  } else if (role == "AXButton") {
    noteSidebarToggle(ax, element, scan);
  } else if (role == "AXPopUpButton") {
    collectModeButton(ax, element, scan, failures);
  }
  queueChildren(basics[1], queue, failures);
}

// The window's subrole, read once after the walk, whatever stopped it.
bool isDialog(Accessibility& ax, const Element& window, Failures& failures) {
  const ReadResult subrole = readAX(ax, window, "AXSubrole");
  if (subrole.error != axerr::success) failures.insert(withCode("AXSubrole error=", subrole.error));
  const std::string text = textOf(subrole);
  return text == "AXDialog" || text == "AXSystemDialog";
}

void decide(ModeScan& scan, const Failures& failures) {
  scan.complete = failures.empty();
  ModeDecision decision = decideMode(scan.evidence, scan.complete, scan.excludedDialog);
  scan.mode = decision.mode;
  scan.reason = std::move(decision.reason);
  if (!failures.empty()) scan.reason += ": " + joined(failures, ", ");
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
  Failures failures;
  std::vector<Element> queue{window};  // breadth first: children go to the back
  std::unordered_set<Element, ElementHash> seen;
  const Uptime deadline = clock.uptime() + kScanBudget;

  std::size_t index = 0;
  while (index < queue.size()) {
    if (budgetSpent(index, clock, deadline, shouldContinue)) {
      failures.insert("traversal budget");
      break;
    }
    const Element element = queue[index++];
    if (seen.insert(element).second) visit(ax, element, scan, queue, failures);
  }
  scan.visited = static_cast<std::int64_t>(index);
  scan.excludedDialog = isDialog(ax, window, failures);
  decide(scan, failures);
  return scan;
}

}  // namespace lumetta
