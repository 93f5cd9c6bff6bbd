// The activity gate: admits work only while work is permitted and the gate
// has settled for half a second after the last power or session event. Work
// is admitted through tokens: results computed before an event are refused
// after it. The one lock-protected object shared across threads.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/mutex.h"
#include "platform/notification_center.h"
#include "platform/run_loop.h"
#include "platform/window_server.h"
#include "power/overlay_power_state.h"

namespace lumetta {

inline constexpr Duration kResumeDelay = Duration::seconds(0.5);

class OverlayActivityGate {
 public:
  using Token = std::int64_t;

  // `changed` hears false on every event and true when the gate becomes
  // active, always on the main thread. Without `displayAwake` the window
  // server's displays are asked; without `onConsole` its session dictionary.
  OverlayActivityGate(RunLoop& runLoop, NotificationCenter& center, WindowServer& windowServer,
                      std::function<void(bool)> changed, std::function<bool()> displayAwake = {},
                      std::optional<bool> onConsole = std::nullopt);
  ~OverlayActivityGate();
  OverlayActivityGate(const OverlayActivityGate&) = delete;
  OverlayActivityGate& operator=(const OverlayActivityGate&) = delete;

  // Main thread (checked). None means: do not start the work.
  std::optional<Token> beginWork();
  // Any thread.
  bool isCurrent(Token token);
  // Main thread (checked); for good.
  void stop();

  static bool hasAwakeDisplay(WindowServer& windowServer);
  static bool sessionOnConsole(WindowServer& windowServer);

 private:
  void receive(OverlayPowerEvent event);
  void scheduleResume();
  void resumeIfCurrent(Token generation);

  RunLoop& runLoop_;
  NotificationCenter& center_;
  std::function<void(bool)> changed_;
  std::function<bool()> displayAwake_;

  Mutex lock_;
  OverlayPowerState state_ LUMETTA_GUARDED_BY(lock_);
  Token generation_ LUMETTA_GUARDED_BY(lock_) = 0;
  bool active_ LUMETTA_GUARDED_BY(lock_) = false;
  bool stopped_ LUMETTA_GUARDED_BY(lock_) = false;

  std::vector<Registration> tokens_;
  std::shared_ptr<WorkItem> resume_;  // main thread only
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta
