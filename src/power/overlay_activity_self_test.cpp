// The built-in check of the activity gate, run by --self-test on the
// program's own run loop with a private notification centre.
#include "power/self_tests.h"

#include <vector>

#include "power/overlay_activity_gate.h"
#include "support/check.h"

namespace lumetta {

bool overlayActivitySelfTest(std::ostream& out, RunLoop& runLoop, Clock& clock,
                             WindowServer& windowServer) {
  SelfCheck check(out);
  NotificationCenter center(runLoop);
  bool displaysAwake = true;
  std::vector<bool> changes;
  OverlayActivityGate gate(
      runLoop, center, windowServer, [&](bool active) { changes.push_back(active); },
      [&] { return displaysAwake; }, true);
  auto post = [&](WorkspaceNotification name) { center.post({name, std::nullopt}); };
  auto wait = [&] { runLoop.runUntil(clock.uptime() + Duration::seconds(0.55)); };
  auto lastChange = [&](bool value) { return !changes.empty() && changes.back() == value; };

  check.expect("startup waits before drawing", !gate.beginWork());

  wait();
  auto old = gate.beginWork();
  check.expect("awake desktop enables work", old.has_value());

  post(WorkspaceNotification::willSleep);
  check.expect("system sleep blocks work and stale callbacks",
               !gate.beginWork() && !(old && gate.isCurrent(*old)) && lastChange(false));

  displaysAwake = false;
  post(WorkspaceNotification::screensDidSleep);
  post(WorkspaceNotification::didWake);
  wait();
  check.expect("dark wake does not resume overlays", !gate.beginWork());

  displaysAwake = true;
  post(WorkspaceNotification::screensDidWake);
  wait();
  check.expect("display wake resumes but rejects pre-sleep work",
               gate.beginWork().has_value() && !(old && gate.isCurrent(*old)));

  post(WorkspaceNotification::sessionDidResignActive);
  post(WorkspaceNotification::screensDidWake);
  wait();
  check.expect("display wake cannot resume inactive session", !gate.beginWork());

  post(WorkspaceNotification::sessionDidBecomeActive);
  wait();
  check.expect("active session resumes after settling", gate.beginWork().has_value());

  displaysAwake = false;
  check.expect("display power check blocks before notification",
               !gate.beginWork() && lastChange(false));

  displaysAwake = true;
  post(WorkspaceNotification::screensDidWake);
  post(WorkspaceNotification::willSleep);
  wait();
  check.expect("new sleep cancels pending resume", !gate.beginWork());

  post(WorkspaceNotification::didWake);
  gate.stop();
  wait();
  check.expect("stopped controller cannot resume", !gate.beginWork());
  return check.passed();
}

}  // namespace lumetta
