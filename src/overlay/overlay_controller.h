// The overlay controller: the long-lived owner of every tracked window. It
// finds the target processes and their windows (census), watches them through
// one accessibility observer per process, scans their modes, places and styles
// their panels sixty times a second, keeps the appearance settings, reacts to
// sleep and session changes, and writes the status text and the event log.
//
// Everything here belongs to the main thread (checked). Work that may block on
// another process runs as a job on one of five serial queues and comes back
// through runJob (job_round_trip.h): applied only while the controller exists,
// is not stopped and the job's activity token is still current.
//
// One owner, the application run, creates it and stops it; everyone else
// observes it (observeChanges) through a registration that ends with them.
//
// Its parts: the appearance settings (AppearanceSettings), what it keeps of
// each target process (TrackedProcess) and of each window (Entry), the status
// text (StatusText) and the event log (EventLog). The implementation is split
// by concern: overlay_controller.cpp (start-up, timers, registrations, stop),
// controller_census.cpp (census, notifications, removal),
// controller_observers.cpp (observers and their registrations),
// controller_scans.cpp (mode scans, label pass), controller_geometry.cpp
// (placement and presentation), controller_settings.cpp (the settings'
// effects, colour choice), controller_status.cpp (power reaction, status
// text, runtime check).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "classify/mode_scan.h"
#include "geometry/server_windows.h"
#include "overlay/appearance_settings.h"
#include "overlay/change_observers.h"
#include "overlay/entry.h"
#include "overlay/event_log.h"
#include "overlay/indicator_color_panel.h"
#include "overlay/job_round_trip.h"
#include "overlay/status_text.h"
#include "overlay/tracked_process.h"
#include "platform/platform.h"
#include "platform/weak_handle.h"
#include "power/overlay_activity_gate.h"
#include "renderer/renderer_accessibility_requests.h"

namespace lumetta {

// What the census job learns of one target process.
struct ProcessSnapshot {
  Pid pid = 0;
  std::optional<WallTime> generation;           // the launch date
  Element root;                                 // the application element
  std::optional<std::vector<Element>> windows;  // none when "AXWindows" could not be read
  std::string rendererStatus;
};

// The geometry job's verdict for one entry.
struct Placement {
  std::int64_t id = 0;
  std::optional<ScreenRect> rect;      // the panel frame
  std::optional<ServerWindow> server;  // the mapped window-server window
  std::string reason;
  double toolbarHeight = kDefaultToolbarHeight;
  // In the panel's own coordinates: from the frame's bottom-left, y up.
  std::vector<Rect> visibleRegions;
};

// What the geometry job is given of one entry.
struct GeometryItem {
  std::int64_t id = 0;
  Pid pid = 0;
  Element window;
  std::optional<std::int64_t> serverID;
  double toolbarHeight = kDefaultToolbarHeight;
  bool topBar = true;  // the style of the entry's mode
};

// The queues' labels.
inline constexpr const char* kCensusQueueLabel = "Panescope.census";
inline constexpr const char* kScanQueueLabel = "Panescope.semantic";
inline constexpr const char* kGeometryQueueLabel = "Panescope.geometry";
inline constexpr const char* kLabelQueueLabel = "Panescope.labels";
inline constexpr const char* kRegistrationQueueLabel = "Panescope.registrations";

inline constexpr Duration kGeometryPeriod = Duration::seconds(1.0 / 60);
inline constexpr Duration kGeometryTolerance = Duration::milliseconds(1);
inline constexpr Duration kCensusPeriod = Duration::seconds(1);
inline constexpr Duration kLabelPeriod = Duration::seconds(0.5);

class OverlayController {
 public:
  // Builds the controller and starts it: settings loaded, timers and
  // registrations in place, a first census under way. Release it on the main
  // thread; releasing stops it.
  static std::unique_ptr<OverlayController> create(const Platform& platform);
  ~OverlayController();
  OverlayController(const OverlayController&) = delete;
  OverlayController& operator=(const OverlayController&) = delete;

  // Entry points (main thread, checked).
  void census();
  void refresh();
  void scan(Entry& entry);
  void labels();
  void geometry();
  // For good: every tracked process and window is let go. Its owner's call.
  void stop();
  std::string runtimeCheck();

  // The appearance of each mode (appearance.h). Each set stores the value
  // under its key and has its effect, also when the value is unchanged.
  const ModeAppearance& appearance(WindowMode mode) const { return settings_[mode]; }
  bool anyEnabled() const { return settings_.anyEnabled(); }
  template <class T>
  void setAppearance(WindowMode mode, T ModeAppearance::*field, std::type_identity_t<T> value) {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    settings_.set(mode, field, value);
    appearanceChanged(mode, field);
  }
  // Opens the colour panel on `mode`'s colour; it keeps editing that mode.
  void chooseColor(WindowMode mode);

  // Published state.
  bool permissionReady() const { return permissionReady_; }
  const std::string& summary() const { return status_.text(); }
  const std::string& events() const { return events_.text(); }
  bool isStopped() const { return stopped_; }
  // `callback` runs after every setting is set and whenever `permissionReady`
  // or `summary` changes, until the registration is released.
  Registration observeChanges(std::function<void()> callback) {
    return changeObservers_.add(std::move(callback));
  }

  // What is tracked, for diagnostics and tests.
  const std::vector<std::unique_ptr<Entry>>& entries() const { return entries_; }
  bool hasObserver(Pid pid) const;
  std::vector<Pid> trackedProcesses() const;
  // What the observer of a tracked process holds; null for another pid.
  const std::vector<Subscription>* subscriptions(Pid pid) const;
  // What the controller keeps, each bounded by what runs. The renderer
  // requests belong to the census queue: read this while no census job runs.
  struct Bookkeeping {
    std::size_t entries = 0, panels = 0, observers = 0, subscriptions = 0, roots = 0,
                launchDates = 0, rendererStatuses = 0, rendererRequests = 0, logCharacters = 0;
  };
  Bookkeeping bookkeeping() const;

 private:
  using Token = OverlayActivityGate::Token;
  using Ticket = JobTicket<OverlayController>;
  using Context = JobContext<OverlayController>;

  // The jobs' results.
  struct ScanResult {
    std::int64_t id;
    ModeScan scan;
    double toolbarHeight;
    std::string signature;
  };
  struct LabelResult {
    std::int64_t id;
    std::string signature;
  };
  // What one reconciliation asks of a process's observer, and what each
  // request answered: none when it was not made, because the application had
  // already failed to answer one.
  struct RegistrationChange {
    std::vector<Subscription> removals;
    std::vector<Subscription> additions;
  };
  struct RegistrationOutcome {
    std::vector<std::optional<AXError>> removals;
    std::vector<std::optional<AXError>> additions;
  };
  struct RegistrationResult {
    Pid pid;
    std::shared_ptr<Observer> observer;  // handed back, to be let go of here
    RegistrationChange change;
    RegistrationOutcome outcome;
  };

  explicit OverlayController(const Platform& platform);
  void start();

  // A timer and the pass it runs. The passes over entries (geometry, labels)
  // idle while there are none: a firing that finds none parks the timer, and
  // the census that makes an entry starts it again on its grid, so that it
  // fires when it would have had it never stopped.
  struct Periodic {
    void (OverlayController::*pass)();
    Duration period;
    bool needsEntries;
    std::unique_ptr<Timer> timer;
    Uptime due;         // its next firing, on the grid the run loop keeps
    bool idle = false;  // parked for want of entries
  };

  // overlay_controller.cpp
  void tick(Periodic& periodic);
  void resumeIdlePasses();
  OverlayActivityGate& activity();
  std::optional<Token> beginWork() { return activity().beginWork(); }
  // A ticket for a job started under `token`, released by `release`.
  Ticket ticket(Token token, std::function<void(OverlayController&)> release);
  template <class Job, class Apply>
  void run(SerialQueue& queue, Ticket ticket, Job job, Apply apply) {
    runJob(queue, platform_.runLoop, weak_.handle(), std::move(ticket), std::move(job),
           std::move(apply));
  }
  bool trusted() { return platform_.accessibility.isProcessTrusted(); }
  void hideAllPanels();
  Entry* entryWithId(std::int64_t id);
  TrackedProcess* process(Pid pid);
  Uptime now() { return platform_.clock.uptime(); }

  // controller_census.cpp
  static std::vector<ProcessSnapshot> censusJob(Accessibility& ax, Workspace& workspace,
                                                RendererAccessibilityRequests& renderer,
                                                const Context& job);
  void applyCensus(std::vector<ProcessSnapshot> snapshots);
  void notification(const Element& element, AXNotification name);
  void remove(Entry& entry);
  void removeProcess(Pid pid);

  // controller_observers.cpp
  void subscribe(Pid pid);
  static RegistrationOutcome registrationJob(Observer& observer, const RegistrationChange& change,
                                             void* context);
  void applyRegistrations(RegistrationResult result);

  // controller_scans.cpp
  void applyScan(ScanResult result);
  void applyLabels(std::vector<LabelResult> results);

  // controller_geometry.cpp
  void applyGeometry(std::vector<Placement> placements);
  void present(Entry& entry, const Placement& placement);
  void movement(Entry& entry);
  void fade(Entry& entry, double target, Duration duration);
  bool topBarStyle(const Entry& entry) const;

  // controller_settings.cpp
  void loadSettings();
  void appearanceChanged(WindowMode mode, AppearanceField field);

  // controller_status.cpp
  void powerChanged(bool active);
  void holdActivityWhileMonitoring();
  std::string describe() const;  // the status text
  void log(const std::string& message);

  Platform platform_;
  IndicatorColorPanel colorPanel_;
  bool permissionReady_;
  AppearanceSettings settings_;

  ChangeObservers changeObservers_;
  StatusText status_;
  EventLog events_;

  std::vector<std::unique_ptr<Entry>> entries_;  // in the order they were found
  std::int64_t nextID_ = 1;
  std::map<Pid, TrackedProcess> processes_;
  std::array<Periodic, 3> periodic_{};  // geometry, census, labels
  std::vector<Registration> workspaceRegistrations_;
  bool censusBusy_ = false;
  bool geometryBusy_ = false;
  bool labelsBusy_ = false;
  bool wasTrusted_ = false;
  bool stopped_ = false;
  bool powerActive_ = false;
  std::string powerStatus_ = "Starting sleep guard";
  // Held while monitoring runs, so that its timers stay on time.
  std::unique_ptr<ProcessActivity> monitoringActivity_;
  // Shared with jobs, which may still hold them when the controller is gone.
  std::shared_ptr<OverlayActivityGate> activity_;
  const std::shared_ptr<RendererAccessibilityRequests> rendererRequests_ =
      std::make_shared<RendererAccessibilityRequests>();

  // Released first, each waiting for the jobs it was given (whose handles
  // find nothing by then: the destructor invalidates them first).
  std::unique_ptr<SerialQueue> censusQueue_;
  std::unique_ptr<SerialQueue> scanQueue_;
  std::unique_ptr<SerialQueue> geometryQueue_;
  std::unique_ptr<SerialQueue> labelQueue_;
  std::unique_ptr<SerialQueue> registrationQueue_;
  WeakHandleFactory<OverlayController> weak_{this};
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta
