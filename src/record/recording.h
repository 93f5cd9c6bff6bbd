// The recorder behind `--record`: a desktop file (docs/desktop-format.md) of
// what this machine shows Lumetta, read through the seam only, so that a
// user's problem replays on the simulated desktop. It holds the permission,
// displays, session, window-server list and every target application with its
// accessibility trees; while the validation monitor runs it follows what the
// monitor observes and adds it as timeline events. Privacy and limits:
// element_store.h; the file: docs/diagnostics.md.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "diagnostics/monitor_observer.h"
#include "platform/platform.h"
#include "record/element_store.h"

namespace lumetta {

class Recording final : public MonitorObserver {
 public:
  explicit Recording(const Platform& platform, RecordLimits limits = {});
  ~Recording() override = default;
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;

  // The desktop as it is now; the times of later events count from here.
  void snapshot();
  // Launches and terminations of target applications and power events
  // become timeline events until `stopWatching`.
  void startWatching();
  void stopWatching();

  // The desktop file's text.
  std::string json() const;

  void observerCreated(Pid pid, AXError error) override;
  void subscribed(const Element& element, AXNotification notification, AXError error) override;
  void notificationArrived(const Element& element, AXNotification notification) override;
  void discoveryStarting() override;
  void labelsSampling() override;

 private:
  struct App {
    RunningApplication info;
    std::optional<ElementIndex> root;  // none without the permission
    std::optional<AXError> observerError;
    bool running = true;
  };
  struct Display {
    DisplayID id;
    ScreenRect frame;
    bool asleep;
  };
  struct SetEntry {
    ElementIndex element;
    std::string attribute;
    AttributeRecord record;
  };
  struct ChildrenEntry {
    ElementIndex element;
    std::vector<ElementIndex> children;
  };
  struct NotifyEntry {
    ElementIndex element;
    AXNotification name;
  };
  struct LaunchEntry {
    std::size_t app;  // into apps_
  };
  struct PidEntry {
    const char* action;  // "terminate" or "activate"
    Pid pid;
  };
  struct PowerEntry {
    const char* name;
  };
  struct Entry {
    Duration at;  // since the snapshot began
    std::variant<SetEntry, ChildrenEntry, NotifyEntry, LaunchEntry, PidEntry, PowerEntry> action;
  };

  Duration now() const;
  std::size_t recordApp(const RunningApplication& info, bool launched);
  void matchWindowNumbers(const App& app);
  void walkNew(std::size_t from);
  // Every change since the pass began becomes an event at `at`; elements met
  // in the pass are defined as they are now.
  void endPass(Duration at);
  void checkActivation();
  void launched(const RunningApplication& info);
  void terminated(Pid pid);

  Platform platform_;
  ElementStore store_;
  Uptime origin_;
  WallTime wallStart_{};
  bool trusted_ = true;
  std::vector<Display> displays_;
  std::optional<bool> onConsole_;
  RawArray windows_;
  std::vector<App> apps_;
  std::size_t initialApps_ = 0;  // apps_ beyond these were launched while watching
  std::vector<std::optional<RecordedElement>> definitions_;
  std::vector<bool> explicitChildren_;
  std::vector<Entry> timeline_;
  std::optional<Pid> activePid_;
  std::size_t unrecordedNotifications_ = 0;
  std::vector<Registration> registrations_;
  std::vector<std::string> notes_;
};

}  // namespace lumetta
