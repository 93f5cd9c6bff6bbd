// The census of target processes and their windows, the dispatch of incoming
// notifications, and the removal of windows and processes.
#include <algorithm>
#include <unordered_set>

#include "classify/target_apps.h"
#include "overlay/overlay_controller.h"

namespace lumetta {

namespace {

constexpr Duration kCensusMessagingTimeout = Duration::seconds(0.15);

constexpr AXNotification kRescanNotifications[] = {
    AXNotification::titleChanged, AXNotification::valueChanged, AXNotification::layoutChanged,
    AXNotification::loadComplete};

std::string rendererFlag(const ReadResult& read) {
  if (read.error != axerr::success || !read.value) return "unavailable";
  if (const bool* flag = read.value->get<bool>()) return *flag ? "true" : "false";
  if (const auto* integer = read.value->get<std::int64_t>()) return *integer ? "true" : "false";
  if (const double* real = read.value->get<double>()) return *real != 0 ? "true" : "false";
  return "unavailable";
}

}  // namespace

void OverlayController::census() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (stopped_) return;
  auto token = beginWork();
  if (!token) return;
  const bool nowTrusted = trusted();
  if (permissionReady_ != nowTrusted) {
    permissionReady_ = nowTrusted;
    holdActivityWhileMonitoring();
    changeObservers_.notify();
  }
  if (!nowTrusted) {
    if (wasTrusted_) {
      for (Pid pid : trackedProcesses()) removeProcess(pid);
    }
    wasTrusted_ = false;
    hideAllPanels();
    status_.show("Accessibility required for Lumetta.\nRunning copy: " +
                 platform_.applicationInfo.bundlePath() +
                 "\nIf already enabled, remove its old Accessibility entry and add this exact copy "
                 "again. Then reopen Lumetta.");
    return;
  }
  wasTrusted_ = true;
  if (!anyEnabled()) {
    hideAllPanels();
    status_.update();
    return;
  }
  if (censusBusy_) return;
  censusBusy_ = true;

  run(
      *censusQueue_, ticket(*token, [](OverlayController& self) { self.censusBusy_ = false; }),
      [renderer = rendererRequests_, &ax = platform_.accessibility,
       &workspace = platform_.workspace](const Context& job) {
        return censusJob(ax, workspace, *renderer, job);
      },
      [](OverlayController& self, std::vector<ProcessSnapshot> snapshots) {
        // Without the permission since the job began, nothing it saw holds.
        if (self.trusted()) self.applyCensus(std::move(snapshots));
      });
}

std::vector<ProcessSnapshot> OverlayController::censusJob(Accessibility& ax, Workspace& workspace,
                                                          RendererAccessibilityRequests& renderer,
                                                          const Context& job) {
  // A controller that is gone keeps no bookkeeping.
  if (!job.ownerAlive()) return {};
  auto current = [&] { return job.current(); };
  const auto apps = current() ? targetApps(workspace) : std::vector<RunningApplication>{};
  std::unordered_set<Pid> pids;
  for (const auto& app : apps) pids.insert(app.pid);
  renderer.retain(pids);

  std::vector<ProcessSnapshot> snapshots;
  for (const auto& app : apps) {
    if (!current()) continue;
    ProcessSnapshot snapshot{app.pid, app.launchDate, ax.applicationElement(app.pid), {}, {}};
    ax.setMessagingTimeout(snapshot.root, kCensusMessagingTimeout);
    const AXError setter = renderer.request(app.pid, app.launchDate, [&] {
      return ax.setAttributeValue(snapshot.root, "AXEnhancedUserInterface", true);
    });
    const ReadResult flag = readAX(ax, snapshot.root, "AXEnhancedUserInterface");
    snapshot.rendererStatus =
        "Renderer accessibility: automatic \u00b7 setter=" + std::to_string(setter) +
        " \u00b7 flag=" + rendererFlag(flag) + " (read=" + std::to_string(flag.error) +
        "); mode labels determine success";
    const ReadResult windows = readAX(ax, snapshot.root, "AXWindows");
    if (windows.error == axerr::success) snapshot.windows = elementsOf(windows);
    snapshots.push_back(std::move(snapshot));
  }
  return snapshots;
}

void OverlayController::applyCensus(std::vector<ProcessSnapshot> snapshots) {
  for (Pid pid : trackedProcesses()) {
    if (std::none_of(snapshots.begin(), snapshots.end(),
                     [pid](const auto& snapshot) { return snapshot.pid == pid; })) {
      removeProcess(pid);
    }
  }
  for (ProcessSnapshot& snapshot : snapshots) {
    const Pid pid = snapshot.pid;
    if (const TrackedProcess* known = process(pid); known && known->generation &&
                                                    snapshot.generation &&
                                                    *snapshot.generation != *known->generation) {
      removeProcess(pid);  // relaunched under the same id: every window starts afresh
    }
    TrackedProcess& tracked = processes_.try_emplace(pid, snapshot.root).first->second;
    if (snapshot.generation) tracked.generation = snapshot.generation;
    tracked.root = snapshot.root;
    tracked.rendererStatus = std::move(snapshot.rendererStatus);
    status_.invalidate();  // for the renderer status and the windows below

    for (auto& entry : entries_) {
      if (entry->pid == pid) entry->windowsUnavailable = !snapshot.windows;
    }
    if (!snapshot.windows) {
      for (auto& entry : entries_) {
        if (entry->pid == pid) entry->placement = kWindowsUnavailable;
      }
      continue;
    }
    tracked.unanswered = false;  // it answered the census
    const std::vector<Element>& windows = *snapshot.windows;
    std::vector<Entry*> gone;
    for (auto& entry : entries_) {
      if (entry->pid == pid &&
          std::find(windows.begin(), windows.end(), entry->window) == windows.end()) {
        gone.push_back(entry.get());
      }
    }
    for (Entry* entry : gone) remove(*entry);
    for (const Element& window : windows) {
      const bool tracked = std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) {
        return entry->pid == pid && entry->window == window;
      });
      if (tracked) continue;
      entries_.push_back(std::make_unique<Entry>(nextID_++, pid, window));
      scan(*entries_.back());
    }
    subscribe(pid);
  }
  if (!entries_.empty()) resumeIdlePasses();
  status_.update();
  geometry();
}

void OverlayController::notification(const Element& element, AXNotification name) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (stopped_ || !beginWork()) return;
  auto windowIs = [&](const auto& entry) { return entry->window == element; };
  if (name == AXNotification::uiElementDestroyed) {
    auto found = std::find_if(entries_.begin(), entries_.end(), windowIs);
    if (found != entries_.end()) {
      remove(**found);
      status_.update();
      return;
    }
  } else if (name == AXNotification::moved || name == AXNotification::resized) {
    for (auto& entry : entries_) {
      if (windowIs(entry)) movement(*entry);
    }
    geometry();
    return;
  } else if (name == AXNotification::windowMiniaturized ||
             name == AXNotification::windowDeminiaturized) {
    geometry();
    return;
  }
  if (std::find(std::begin(kRescanNotifications), std::end(kRescanNotifications), name) !=
      std::end(kRescanNotifications)) {
    std::vector<std::int64_t> ids;
    for (const auto& entry : entries_) {
      auto holds = [&](const std::vector<Element>& list) {
        return std::find(list.begin(), list.end(), element) != list.end();
      };
      if (windowIs(entry) || holds(entry->buttons) || holds(entry->areas)) ids.push_back(entry->id);
    }
    for (std::int64_t id : ids) {
      if (Entry* entry = entryWithId(id)) scan(*entry);
    }
  }
  census();
  labels();
}

void OverlayController::remove(Entry& entry) {
  if (entry.panel) entry.panel->window().close();
  const std::int64_t id = entry.id;
  std::erase_if(entries_, [&](const auto& held) { return held.get() == &entry; });
  status_.invalidate();
  log("Window " + std::to_string(id) + " removed; cached mode discarded");
}

void OverlayController::removeProcess(Pid pid) {
  std::vector<Entry*> owned;
  for (auto& entry : entries_) {
    if (entry->pid == pid) owned.push_back(entry.get());
  }
  for (Entry* entry : owned) remove(*entry);
  auto found = processes_.find(pid);
  if (found == processes_.end()) return;
  if (found->second.observer) found->second.observer->detachFromMainRunLoop();
  processes_.erase(found);
  status_.invalidate();
}

void OverlayController::refresh() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  census();
  std::vector<std::int64_t> ids;
  for (const auto& entry : entries_) ids.push_back(entry->id);
  for (std::int64_t id : ids) {
    if (Entry* entry = entryWithId(id)) scan(*entry);
  }
}

}  // namespace lumetta
