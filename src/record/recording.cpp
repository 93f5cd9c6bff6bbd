#include "record/recording.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "classify/target_apps.h"

namespace lumetta {

namespace {

constexpr std::pair<WorkspaceNotification, const char*> kPowerEvents[] = {
    {WorkspaceNotification::willSleep, "sleep"},
    {WorkspaceNotification::didWake, "wake"},
    {WorkspaceNotification::screensDidSleep, "screensSleep"},
    {WorkspaceNotification::screensDidWake, "screensWake"},
    {WorkspaceNotification::sessionDidResignActive, "sessionResign"},
    {WorkspaceNotification::sessionDidBecomeActive, "sessionActive"},
    {WorkspaceNotification::activeSpaceDidChange, "spaceChange"},
};

std::optional<std::int64_t> integerIn(const RawDictionary& dictionary, std::string_view key) {
  const RawValue* value = find(dictionary, key);
  if (!value) return std::nullopt;
  if (const auto* integer = value->get<std::int64_t>()) return *integer;
  if (const auto* real = value->get<double>(); real && *real >= -0x1p63 && *real < 0x1p63) {
    return static_cast<std::int64_t>(*real);
  }
  return std::nullopt;
}

// Every text in the value replaced by a placeholder of the same length.
RawValue withoutTexts(const RawValue& value) {
  if (const auto* text = value.get<std::string>()) return {placeholder(*text)};
  if (const auto* array = value.get<RawArray>()) {
    RawArray out;
    for (const RawValue& member : *array) out.push_back(withoutTexts(member));
    return {std::move(out)};
  }
  if (const auto* dictionary = value.get<RawDictionary>()) {
    RawDictionary out;
    for (const RawEntry& entry : *dictionary) out.push_back({entry.key, withoutTexts(entry.value)});
    return {std::move(out)};
  }
  return value;
}

std::optional<ServerRect> boundsOf(const RawDictionary& entry) {
  const RawValue* value = find(entry, "kCGWindowBounds");
  const auto* bounds = value ? value->get<RawDictionary>() : nullptr;
  if (!bounds) return std::nullopt;
  double numbers[4];
  const char* keys[] = {"X", "Y", "Width", "Height"};
  for (int i = 0; i < 4; ++i) {
    const RawValue* number = find(*bounds, keys[i]);
    if (const auto* integer = number ? number->get<std::int64_t>() : nullptr) {
      numbers[i] = static_cast<double>(*integer);
    } else if (const auto* real = number ? number->get<double>() : nullptr) {
      numbers[i] = *real;
    } else {
      return std::nullopt;
    }
  }
  return ServerRect{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::vector<ElementIndex> structureOf(const RecordedElement& element) {
  std::vector<ElementIndex> all = element.children;
  all.insert(all.end(), element.attached.begin(), element.attached.end());
  return all;
}

// AXChildren needs its own entry when the children as written do not say
// what reading it answers.
bool explicitChildren(const RecordedElement& element) {
  auto it = element.attributes.find("AXChildren");
  return !element.attached.empty() || it == element.attributes.end() || !linksIn(it->second);
}

bool gone(const RecordedElement& element) {
  return !element.attributes.empty() &&
         std::all_of(element.attributes.begin(), element.attributes.end(), [](const auto& entry) {
           return entry.second.error == axerr::invalidUIElement;
         });
}

}  // namespace

Recording::Recording(const Platform& platform, RecordLimits limits)
    : platform_(platform), store_(platform.accessibility, platform.clock, limits) {}

// Seconds since the snapshot began, to the microsecond.
Duration Recording::now() const {
  const double microseconds = std::round((platform_.clock.uptime() - origin_).inSeconds() * 1e6);
  return Duration::seconds(std::max(0.0, microseconds) / 1e6);
}

void Recording::snapshot() {
  origin_ = platform_.clock.uptime();
  wallStart_ = platform_.clock.now();
  trusted_ = platform_.accessibility.isProcessTrusted();

  WindowServer& server = platform_.windowServer;
  const std::vector<ScreenRect> frames = server.screenFrames();
  const auto ids = server.onlineDisplays().value_or(std::vector<DisplayID>{});
  for (std::size_t i = 0; i < ids.size(); ++i) {
    displays_.push_back(
        {ids[i], i < frames.size() ? frames[i] : ScreenRect{}, server.displayIsAsleep(ids[i])});
  }
  if (auto session = server.copySessionDictionary()) {
    const auto* dictionary = session->get<RawDictionary>();
    const RawValue* console = dictionary ? find(*dictionary, "kCGSSessionOnConsoleKey") : nullptr;
    if (const auto* flag = console ? console->get<bool>() : nullptr) onConsole_ = *flag;
  }

  store_.beginPass();
  for (const RunningApplication& app : platform_.workspace.runningApplications()) {
    if (isTargetApp(app)) recordApp(app, false);
    if (app.active) activePid_ = app.pid;
  }
  initialApps_ = apps_.size();

  std::set<std::int64_t> targets;
  for (const App& app : apps_) targets.insert(app.info.pid);
  const std::optional<RawValue> list = server.copyWindowList();
  if (const auto* entries = list ? list->get<RawArray>() : nullptr) {
    for (const RawValue& entry : *entries) {
      const auto* dictionary = entry.get<RawDictionary>();
      const auto pid = dictionary ? integerIn(*dictionary, "kCGWindowOwnerPID") : std::nullopt;
      // Other applications' windows keep their geometry, layer and pid, not their names.
      windows_.push_back(pid && targets.count(*pid) ? entry : withoutTexts(entry));
    }
  } else {
    notes_.push_back("the window server gave no window list");
  }
  for (const App& app : apps_) matchWindowNumbers(app);
  endPass(Duration::zero());
}

std::size_t Recording::recordApp(const RunningApplication& info, bool launched) {
  App app{info, std::nullopt, std::nullopt, true};
  if (trusted_) {
    app.root = store_.application(info.pid, launched);
    store_.walkApplication(*app.root);
  }
  apps_.push_back(std::move(app));
  return apps_.size() - 1;
}

// The window-server window of each accessibility window: the one entry of
// the same application with exactly the window's frame.
void Recording::matchWindowNumbers(const App& app) {
  if (!app.root) return;
  auto it = store_[*app.root].attributes.find("AXWindows");
  const auto windows =
      it == store_[*app.root].attributes.end() ? std::nullopt : linksIn(it->second);
  for (ElementIndex window : windows.value_or(std::vector<ElementIndex>{})) {
    const auto& attributes = store_[window].attributes;
    auto position = attributes.find("AXPosition"), size = attributes.find("AXSize");
    if (position == attributes.end() || size == attributes.end() || !position->second.value ||
        !size->second.value) {
      continue;
    }
    const auto* point = std::get_if<Point>(&position->second.value->storage);
    const auto* extent = std::get_if<Size>(&size->second.value->storage);
    if (!point || !extent) continue;
    // Accessibility's positions are the window server's.
    const ServerRect frame{point->x, point->y, extent->width, extent->height};
    std::vector<std::int64_t> numbers;
    for (const RawValue& entry : windows_) {
      const auto* dictionary = entry.get<RawDictionary>();
      if (!dictionary || integerIn(*dictionary, "kCGWindowOwnerPID") != app.info.pid) continue;
      auto number = integerIn(*dictionary, "kCGWindowNumber");
      if (number && boundsOf(*dictionary) == frame) numbers.push_back(*number);
    }
    if (numbers.size() == 1) store_[window].windowNumber = numbers.front();
  }
}

void Recording::walkNew(std::size_t from) {
  for (ElementIndex i = from; i < store_.size(); ++i) {
    if (!store_[i].read) store_.walkSubtree(i);
  }
}

void Recording::endPass(Duration at) {
  store_.attachStrays();
  std::vector<ChildrenEntry> adding, removing;
  std::vector<SetEntry> sets;
  for (const auto& [index, before] : store_.before()) {
    const RecordedElement& element = store_[index];
    if (element.hung || gone(element)) continue;  // what is gone shows in its parents
    const std::vector<ElementIndex> was = structureOf(before), is = structureOf(element);
    if (was != is) {
      const bool removes = std::any_of(was.begin(), was.end(), [&](ElementIndex child) {
        return std::find(is.begin(), is.end(), child) == is.end();
      });
      // Additions first: a child moving elsewhere must not be destroyed on the way.
      (removes ? removing : adding).push_back({index, is});
    }
    std::set<std::string, std::less<>> names;
    for (const auto& [name, record] : before.attributes) names.insert(name);
    for (const auto& [name, record] : element.attributes) names.insert(name);
    for (const std::string& name : names) {
      auto old = before.attributes.find(name), now = element.attributes.find(name);
      const AttributeRecord unsupported{std::nullopt, axerr::attributeUnsupported};
      const AttributeRecord& was = old == before.attributes.end() ? unsupported : old->second;
      const AttributeRecord& is = now == element.attributes.end() ? unsupported : now->second;
      if (was == is) continue;
      if (name == "AXChildren") {
        if (!explicitChildren(element) && !explicitChildren_[index]) continue;
        explicitChildren_[index] = true;
      }
      sets.push_back({index, name, is});
    }
  }

  std::vector<ElementIndex> roots;
  for (const App& app : apps_) {
    if (app.root) roots.push_back(*app.root);
  }
  const std::vector<bool> reached = store_.reachable(roots);
  definitions_.resize(store_.size());
  explicitChildren_.resize(store_.size(), false);
  for (ElementIndex i = 0; i < reached.size(); ++i) {
    if (!reached[i] || store_.written(i)) continue;
    definitions_[i] = store_[i];
    explicitChildren_[i] = explicitChildren(store_[i]);
    store_.markWritten(i);
  }
  for (auto* list : {&adding, &removing}) {
    for (ChildrenEntry& entry : *list) timeline_.push_back({at, std::move(entry)});
  }
  for (SetEntry& entry : sets) timeline_.push_back({at, std::move(entry)});
}

void Recording::checkActivation() {
  for (const RunningApplication& app : platform_.workspace.runningApplications()) {
    if (!app.active || activePid_ == app.pid) continue;
    activePid_ = app.pid;
    timeline_.push_back({now(), PidEntry{"activate", app.pid}});
  }
}

void Recording::startWatching() {
  NotificationCenter& center = platform_.workspace.notificationCenter();
  registrations_.push_back(center.addObserver(
      WorkspaceNotification::didLaunchApplication, [this](const Notification& notification) {
        if (notification.application && isTargetApp(*notification.application)) {
          launched(*notification.application);
        }
      }));
  registrations_.push_back(center.addObserver(WorkspaceNotification::didTerminateApplication,
                                              [this](const Notification& notification) {
                                                if (notification.application)
                                                  terminated(notification.application->pid);
                                              }));
  for (const auto& [name, action] : kPowerEvents) {
    registrations_.push_back(center.addObserver(name, [this, action = action](const Notification&) {
      timeline_.push_back({now(), PowerEntry{action}});
    }));
  }
}

void Recording::stopWatching() { registrations_.clear(); }

void Recording::launched(const RunningApplication& info) {
  const Duration at = now();
  store_.beginPass();
  const std::size_t app = recordApp(info, true);
  matchWindowNumbers(apps_[app]);
  endPass(at);
  timeline_.push_back({at, LaunchEntry{app}});
  if (info.active) activePid_ = info.pid;
  checkActivation();
}

void Recording::terminated(Pid pid) {
  for (App& app : apps_) {
    if (app.info.pid != pid || !app.running) continue;
    app.running = false;
    timeline_.push_back({now(), PidEntry{"terminate", pid}});
  }
}

void Recording::observerCreated(Pid pid, AXError error) {
  if (error == axerr::success) return;
  for (auto app = apps_.rbegin(); app != apps_.rend(); ++app) {
    if (app->info.pid == pid && app->running) {
      app->observerError = error;
      return;
    }
  }
}

void Recording::subscribed(const Element& element, AXNotification notification, AXError error) {
  // Codes the simulated desktop gives by itself need no entry.
  if (error == axerr::success || error == axerr::invalidUIElement ||
      error == axerr::notificationAlreadyRegistered) {
    return;
  }
  if (auto index = store_.find(element)) {
    store_[*index].notificationErrors[std::string(notificationName(notification))] = error;
  }
}

void Recording::notificationArrived(const Element& element, AXNotification notification) {
  const Duration at = now();  // the recorder's own reads take time too
  store_.beginPass();
  const std::size_t known = store_.size();
  for (const App& app : apps_) {
    if (app.running && app.root) store_.read(*app.root);
  }
  // The element, or the nearest ancestor already met when the element is new;
  // failing both, every application again.
  if (std::optional<ElementIndex> start = store_.locate(element)) {
    store_.walkSubtree(*start);
    if (gone(store_[*start])) {
      for (ElementIndex parent : store_.parentsOf(*start)) store_.read(parent);
    }
  } else {
    for (const App& app : apps_) {
      if (app.running && app.root) store_.walkApplication(*app.root);
    }
  }
  walkNew(known);
  const std::optional<ElementIndex> index = store_.find(element);
  endPass(at);
  checkActivation();
  if (index && store_.written(*index)) {
    timeline_.push_back({at, NotifyEntry{*index, notification}});
  } else {
    ++unrecordedNotifications_;
  }
}

void Recording::discoveryStarting() {
  const Duration at = now();
  store_.beginPass();
  const std::size_t known = store_.size();
  for (const App& app : apps_) {
    if (app.running && app.root) store_.walkApplication(*app.root);
  }
  walkNew(known);
  endPass(at);
  checkActivation();
}

void Recording::labelsSampling() {
  const Duration at = now();
  store_.beginPass();
  for (ElementIndex i = 0; i < store_.size(); ++i) {
    auto role = store_[i].attributes.find("AXRole");
    if (role == store_[i].attributes.end() || !role->second.value || !store_.written(i)) continue;
    const auto* text = std::get_if<std::string>(&role->second.value->storage);
    if (text && *text == "AXPopUpButton" && !gone(store_[i])) store_.read(i);
  }
  endPass(at);
}

}  // namespace lumetta
