// Mode scans and the label pass. A full scan of a window runs only when
// something suggests a change (a new window, a notification, a changed label,
// a pending retry); every half second the label pass re-reads just the known
// mode buttons' role, title and description and rescans a window whose
// buttons say something new.
#include "overlay/controller_scans.h"

#include "geometry/window_frame.h"
#include "overlay/overlay_controller.h"
#include "support/text_format.h"

namespace lumetta {

std::string labelSignature(const std::vector<ModeEvidence>& evidence) {
  std::vector<std::string> pieces;
  for (const ModeEvidence& item : evidence) {
    pieces.push_back(item.role + "|" + item.title + "|" + item.description);
  }
  return joined(pieces, "||");
}

std::string readLabelSignature(Accessibility& ax, const std::vector<Element>& buttons) {
  std::vector<ModeEvidence> evidence;
  for (const Element& button : buttons) {
    evidence.push_back({axString(ax, button, "AXRole"), axString(ax, button, "AXTitle"),
                        axString(ax, button, "AXDescription")});
  }
  return labelSignature(evidence);
}

double measureToolbar(Accessibility& ax, Clock& clock, const Element& window,
                      const std::function<bool()>& current) {
  if (!current()) return kDefaultToolbarHeight;
  const std::optional<ServerRect> frame = axFrame(ax, window);
  if (!frame) return kDefaultToolbarHeight;
  const Uptime deadline = clock.uptime() + kToolbarSearchBudget;
  std::vector<Element> queue{window};
  for (std::size_t i = 0; i < queue.size() && i < kToolbarSearchLimit; ++i) {
    if (!current() || !(clock.uptime() < deadline)) break;
    const Element& element = queue[i];
    if (axString(ax, element, "AXRole") == "AXToolbar") {
      if (auto toolbar = axFrame(ax, element)) {
        const double bottom = toolbar->maxY() - frame->minY();
        if (toolbar->width >= frame->width * kToolbarWidthRatio &&
            toolbar->height > kMinimumToolbarFrameHeight && toolbar->minY() >= frame->minY() &&
            bottom <= kMaximumToolbarBottom) {
          return std::max(bottom, kMinimumToolbarHeight);
        }
      }
    }
    std::vector<Element> children = axElements(ax, element, "AXChildren");
    queue.insert(queue.end(), children.begin(), children.end());
  }
  return kDefaultToolbarHeight;
}

void OverlayController::scan(Entry& entry) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (stopped_ || entry.scanning || !trusted()) return;
  auto token = beginWork();
  if (!token) return;
  entry.scanning = true;
  entry.lastScan = now();

  const std::int64_t id = entry.id;
  run(
      *scanQueue_,
      ticket(*token,
             [id](OverlayController& self) {
               if (Entry* scanned = self.entryWithId(id)) scanned->scanning = false;
             }),
      [id, window = entry.window, &ax = platform_.accessibility,
       &clock = platform_.clock](const Context& job) {
        auto current = [&] { return job.current(); };
        ModeScan scan = scanMode(ax, clock, window, current);
        const double toolbar = scan.excludedDialog ? kDefaultToolbarHeight
                                                   : measureToolbar(ax, clock, window, current);
        std::string signature = labelSignature(scan.evidence);
        return ScanResult{id, std::move(scan), toolbar, std::move(signature)};
      },
      &OverlayController::applyScan);
}

void OverlayController::applyScan(ScanResult result) {
  Entry* entry = entryWithId(result.id);
  if (!entry) return;  // removed meanwhile
  const std::int64_t id = result.id;
  const ModeScan& scan = result.scan;
  entry->scanDetail = scan.reason + " \u00b7 nodes=" + std::to_string(scan.visited) +
                      " \u00b7 mode buttons=" + std::to_string(scan.buttons.size());
  if (!scan.sidebarLabels.empty()) {
    entry->scanDetail += " \u00b7 sidebar: " + joined(scan.sidebarLabels, ", ");
  }
  entry->toolbarHeight = result.toolbarHeight;
  const WindowMode previous = entry->cache.effective();
  entry->cache.update(scan.observation());
  status_.invalidate();
  entry->excludedDialog = scan.excludedDialog;
  entry->needsRetry = scan.complete ? entry->cache.suspended && !scan.excludedDialog : true;
  entry->buttons = scan.buttons;
  entry->areas = scan.webAreas;
  entry->signature = std::move(result.signature);
  entry->lastScan = now();
  log("Window " + std::to_string(id) + ": observed " + std::string(rawValue(scan.mode)) + " (" +
      scan.reason + "); effective " + std::string(rawValue(entry->cache.effective())) +
      ", previously " + std::string(rawValue(previous)));
  subscribe(entry->pid);
  status_.update();
  geometry();
}

void OverlayController::labels() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (stopped_ || !anyEnabled() || !trusted() || labelsBusy_) return;
  auto token = beginWork();
  if (!token) return;

  const Uptime uptime = now();
  std::vector<std::int64_t> retries;
  for (const auto& entry : entries_) {
    if ((entry->buttons.empty() || entry->needsRetry) && !entry->excludedDialog &&
        uptime - entry->lastScan >= kRetrySpacing) {
      retries.push_back(entry->id);
    }
  }
  for (std::int64_t id : retries) {
    if (Entry* entry = entryWithId(id)) scan(*entry);
  }

  std::vector<std::pair<std::int64_t, std::vector<Element>>> work;
  for (const auto& entry : entries_) {
    if (!entry->buttons.empty()) work.emplace_back(entry->id, entry->buttons);
  }
  if (work.empty()) return;
  labelsBusy_ = true;

  run(
      *labelQueue_, ticket(*token, [](OverlayController& self) { self.labelsBusy_ = false; }),
      [work = std::move(work), &ax = platform_.accessibility](const Context& job) {
        std::vector<LabelResult> results;
        for (const auto& [id, buttons] : work) {
          if (!job.current()) continue;
          results.push_back({id, readLabelSignature(ax, buttons)});
        }
        return results;
      },
      &OverlayController::applyLabels);
}

void OverlayController::applyLabels(std::vector<LabelResult> results) {
  for (const LabelResult& result : results) {
    Entry* entry = entryWithId(result.id);
    if (!entry || entry->signature == result.signature) continue;
    entry->signature = result.signature;
    scan(*entry);
  }
}

}  // namespace lumetta
