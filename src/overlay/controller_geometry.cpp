// Geometry, placement and presentation: sixty times a second, and after
// every event that may move or reveal a window, each tracked window is mapped
// to one window-server window, the windows in front of it are subtracted, and
// its panel is shown, moved, styled for its mode, ordered and faded.
#include "overlay/controller_geometry.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "geometry/exposed_regions.h"
#include "geometry/window_frame.h"

namespace lumetta {

namespace {

Placement failed(std::int64_t id, std::string reason) {
  return Placement{id, std::nullopt, std::nullopt, std::move(reason), kDefaultToolbarHeight, {}};
}

bool matches(const ServerRect& a, const ServerRect& b) {
  return std::abs(a.x - b.x) <= kMatchTolerance && std::abs(a.y - b.y) <= kMatchTolerance &&
         std::abs(a.width - b.width) <= kMatchTolerance &&
         std::abs(a.height - b.height) <= kMatchTolerance;
}

Placement place(Accessibility& ax, std::span<const ServerWindow> servers, const GeometryItem& item,
                double primaryDisplayTop, Pid ownPid) {
  const ServerWindow* server = nullptr;
  ServerRect windowRect;
  if (item.serverID) {
    auto found = std::find_if(servers.begin(), servers.end(), [&](const ServerWindow& s) {
      return s.pid == item.pid && s.id == *item.serverID;
    });
    if (found == servers.end()) return failed(item.id, kReasonOffscreen);
    server = &*found;
    windowRect = server->bounds;
  } else {
    const std::optional<ServerRect> frame = axFrame(ax, item.window);
    if (!frame) return failed(item.id, kReasonNoGeometry);
    std::vector<const ServerWindow*> candidates;
    for (const ServerWindow& s : servers) {
      if (s.pid == item.pid && matches(s.bounds, *frame)) candidates.push_back(&s);
    }
    if (candidates.empty()) return failed(item.id, kReasonOffscreen);
    if (candidates.size() > 1) return failed(item.id, kReasonAmbiguous);
    server = candidates.front();
    windowRect = *frame;
  }

  Placement placement{
      item.id, appKitRect(windowRect, primaryDisplayTop), *server, "", item.toolbarHeight, {}};
  // The regions are worked out in the window server's coordinates, where the
  // windows in front are known, and flipped piece by piece.
  const ServerRect& bounds = server->bounds;
  const ServerRect region = item.topBar ? ServerRect{bounds.minX(), bounds.minY(), bounds.width,
                                                     std::min(bounds.height, item.toolbarHeight)}
                                        : bounds;
  std::vector<ServerRect> covers;
  for (const ServerWindow& s : servers) {
    if (s.rank < server->rank && s.pid != ownPid && s.id != server->id) covers.push_back(s.bounds);
  }
  const std::vector<ServerRect> pieces = exposedRectangles(region, covers);
  for (const ServerRect& piece : pieces) {
    const ScreenRect converted = appKitRect(piece, primaryDisplayTop);
    placement.visibleRegions.push_back({converted.x - placement.rect->minX(),
                                        converted.y - placement.rect->minY(), converted.width,
                                        converted.height});
  }
  placement.reason = pieces.empty()                                   ? kReasonFullyCovered
                     : pieces.size() == 1 && pieces.front() == region ? kReasonVisible
                                                                      : kReasonPartiallyVisible;
  return placement;
}

}  // namespace

std::vector<Placement> placeWindows(Accessibility& ax, std::span<const ServerWindow> servers,
                                    std::span<const GeometryItem> items, double primaryDisplayTop,
                                    Pid ownPid, const std::function<bool()>& current) {
  std::vector<Placement> placements;
  for (const GeometryItem& item : items) {
    placements.push_back(current() ? place(ax, servers, item, primaryDisplayTop, ownPid)
                                   : failed(item.id, ""));
  }
  std::vector<std::int64_t> ids;
  for (const Placement& placement : placements) {
    if (placement.server) ids.push_back(placement.server->id);
  }
  const std::set<std::int64_t> shared = duplicateServerIDs(ids);
  for (Placement& placement : placements) {
    if (placement.server && shared.contains(placement.server->id)) {
      placement = failed(placement.id, kReasonShared);
    }
  }
  return placements;
}

bool OverlayController::topBarStyle(const Entry& entry) const {
  // A window of unknown mode, which shows no overlay, is placed and faded in
  // Codex's style, as it always was.
  const WindowMode mode = entry.cache.effective();
  return settings_[mode == WindowMode::chatGPT ? mode : WindowMode::codex].style ==
         OverlayStyle::topBar;
}

void OverlayController::geometry() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (stopped_) return;
  // Without the permission nothing can be tracked, so nothing stays marked;
  // the census hides the panels too, but only once a second.
  if (!anyEnabled() || !trusted()) {
    hideAllPanels();
    return;
  }
  auto token = beginWork();
  if (!token || geometryBusy_) return;
  const std::vector<ScreenRect> screens = platform_.windowServer.screenFrames();
  if (screens.empty()) return;
  const double primaryDisplayTop = screens.front().maxY();

  std::vector<std::int64_t> mapped;
  for (const auto& entry : entries_) {
    if (entry->serverID) mapped.push_back(*entry->serverID);
  }
  const std::set<std::int64_t> shared = duplicateServerIDs(mapped);
  std::vector<GeometryItem> items;
  for (const auto& entry : entries_) {
    if (entry->serverID && shared.contains(*entry->serverID)) {
      entry->serverID.reset();
      if (entry->panel) entry->panel->window().orderOut();
    }
    items.push_back({entry->id, entry->pid, entry->window, entry->serverID, entry->toolbarHeight,
                     topBarStyle(*entry)});
  }
  if (items.empty()) return;
  geometryBusy_ = true;

  run(
      *geometryQueue_, ticket(*token, [](OverlayController& self) { self.geometryBusy_ = false; }),
      [items = std::move(items), primaryDisplayTop, ownPid = platform_.applicationInfo.processId(),
       &ax = platform_.accessibility, &server = platform_.windowServer](const Context& job) {
        auto current = [&] { return job.current(); };
        const std::vector<ServerWindow> servers =
            current() ? visibleServerWindows(server) : std::vector<ServerWindow>{};
        return placeWindows(ax, servers, items, primaryDisplayTop, ownPid, current);
      },
      &OverlayController::applyGeometry);
}

void OverlayController::applyGeometry(std::vector<Placement> placements) {
  // With both modes off since the job began, nothing is marked.
  if (!anyEnabled()) {
    hideAllPanels();
    return;
  }
  // The displays may have gone dark, or the permission away, meanwhile.
  if (!beginWork() || !trusted()) return;
  // Back to front, so that the frontmost window's panel ends up on top.
  std::stable_sort(placements.begin(), placements.end(), [](const auto& a, const auto& b) {
    return (a.server ? a.server->rank : 0) > (b.server ? b.server->rank : 0);
  });
  for (const Placement& placement : placements) {
    if (Entry* entry = entryWithId(placement.id)) present(*entry, placement);
  }
  status_.update();
}

void OverlayController::present(Entry& entry, const Placement& placement) {
  const std::string_view said =
      entry.windowsUnavailable ? std::string_view(kWindowsUnavailable) : placement.reason;
  // Most frames place every window as the last one did: nothing to rebuild.
  if (entry.placement != said) {
    entry.placement = said;
    status_.invalidate();
  }
  if (placement.reason == kReasonShared) entry.serverID.reset();
  if (placement.server) entry.serverID = placement.server->id;

  const WindowMode mode = entry.cache.effective();
  const bool shown = mode != WindowMode::unknown && settings_[mode].enabled;
  if (!shown || !placement.rect || !placement.server) {
    if (entry.panel) entry.panel->window().orderOut();
    return;
  }
  if (!entry.panel) entry.panel = makePassivePanel(platform_.panels);
  ColorLayer& layer = entry.panel->layer();
  Panel& window = entry.panel->window();
  const ModeAppearance& appearance = settings_[mode];
  layer.setVisibleRegions(placement.visibleRegions);
  layer.setColor(appearance.color);
  layer.setStyle(appearance.style);
  layer.setStrength(appearance.strength);
  layer.setBorderWidth(appearance.borderWidth);
  layer.setBarHeight(placement.toolbarHeight);

  const ScreenRect& rect = *placement.rect;
  const ScreenRect frame = window.frame();
  if (frame != rect) {
    if (window.isVisible()) movement(entry);
    if (frame.width != rect.width || frame.height != rect.height) layer.setNeedsDisplay();
    window.setFrame(rect, true);
  }
  if (!window.isVisible()) window.orderFrontRegardless();
  window.displayIfNeeded();

  if (topBarStyle(entry)) {
    fade(entry, 1.0, Duration::zero());
  } else if (now() - entry.lastMovement >= kMovementSettle) {
    fade(entry, 1.0, kFadeIn);
  } else {
    fade(entry, 0.0, kFadeOut);
  }
}

void OverlayController::movement(Entry& entry) {
  if (!topBarStyle(entry)) entry.lastMovement = now();
}

void OverlayController::fade(Entry& entry, double target, Duration duration) {
  if (!entry.panel || entry.fadeTarget == target) return;
  entry.fadeTarget = target;
  entry.panel->window().animateAlpha(target, duration);
}

}  // namespace lumetta
