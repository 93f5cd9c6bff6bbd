// The controller's user-facing state: the reaction to sleep, display sleep
// and session changes, the status text, the event log, the per-panel runtime
// check and the orderly stop.
#include "overlay/overlay_controller.h"
#include "support/text_format.h"

namespace lumetta {

namespace {

constexpr const char* kMonitoringReason = "Marking the modes of ChatGPT and Codex windows";

}  // namespace

void OverlayController::powerChanged(bool active) {
  if (stopped_) return;
  powerActive_ = active;
  holdActivityWhileMonitoring();
  powerStatus_ =
      active ? "Awake; monitoring enabled" : "Sleep/display/session suspension; overlays hidden";
  status_.invalidate();
  // The timers stay valid; parked, they stop every periodic pass. Awake,
  // each fires at once, and one with nothing to do idles again.
  for (Periodic& periodic : periodic_) {
    periodic.idle = false;
    if (active) {
      periodic.due = now();
      periodic.timer->setNextFireTime(periodic.due);
    } else {
      periodic.timer->park();
    }
  }
  if (active) {
    log("Power: desktop awake; resuming monitoring");
    census();
  } else {
    hideAllPanels();
    log("Power: monitoring and overlays suspended");
  }
  status_.update();
}

// Monitoring runs on timers that must fire on time while no window of
// Lumetta shows (no target application, every overlay hidden): held while the
// gate is active, the permission is granted and a mode is on; ended while
// suspended, without the permission, with both modes off or stopped, so that
// a sleeping Mac or a Lumetta waiting for permission costs nothing.
void OverlayController::holdActivityWhileMonitoring() {
  const bool monitoring = !stopped_ && powerActive_ && permissionReady_ && anyEnabled();
  if (!monitoring) {
    monitoringActivity_.reset();
  } else if (!monitoringActivity_) {
    monitoringActivity_ = platform_.activities.begin(kMonitoringReason);
  }
}

std::string OverlayController::describe() const {
  ApplicationInfo& application = platform_.applicationInfo;
  auto onOff = [&](WindowMode mode) { return settings_[mode].enabled ? "On" : "Off"; };
  std::string text = "Lumetta " + application.shortVersion().value_or("development") +
                     " \u00b7 macOS " + application.systemVersion() +
                     "\nSleep guard: " + powerStatus_ + "\nCodex: " + onOff(WindowMode::codex) +
                     " \u00b7 GPT: " + onOff(WindowMode::chatGPT) + "\n";
  std::vector<std::string> blocks;
  for (const auto& entry : entries_) {
    auto tracked = processes_.find(entry->pid);
    blocks.push_back(
        "Window " + std::to_string(entry->id) + " pid=" + std::to_string(entry->pid) + ": " +
        std::string(rawValue(entry->cache.effective())) + " [" + entry->cache.explanation +
        "] \u00b7 " + entry->placement + "\n  " +
        (tracked == processes_.end() ? "Renderer status pending" : tracked->second.rendererStatus) +
        "\n  " + entry->scanDetail);
  }
  text += joined(blocks, "\n");
  if (entries_.empty()) text += "No target windows classified yet.";
  return text;
}

void OverlayController::log(const std::string& message) {
  events_.append(platform_.clock.now(), message);
}

std::string OverlayController::runtimeCheck() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  std::vector<std::string> lines;
  for (const auto& entry : entries_) {
    if (!entry->panel) continue;
    const Panel& panel = entry->panel->window();
    const ScreenRect frame = panel.frame();
    const double midX = frame.minX() + frame.width / 2;
    const double midY = frame.minY() + frame.height / 2;
    bool hit = false;
    for (ScreenPoint point : {ScreenPoint{midX, midY}, ScreenPoint{frame.minX() + 2, midY}}) {
      hit = hit || platform_.windowServer.windowNumberAtPoint(point) == panel.windowNumber();
    }
    const WindowMode mode = entry->cache.effective();
    auto truth = [](bool value) { return value ? "true" : "false"; };
    // As it always was: the style and strength shown are Codex's, whatever
    // the window's mode.
    const ModeAppearance& codex = settings_[WindowMode::codex];
    lines.push_back("Window " + std::to_string(entry->id) + ": " + std::string(rawValue(mode)) +
                    " color=" + (mode == WindowMode::chatGPT ? "green" : "blue") +
                    " tint=" + truth(codex.style == OverlayStyle::topBar) +
                    " strength=" + decimalNumber(codex.strength) +
                    " hitTestSkipsLayer=" + truth(!hit) + " visible=" + truth(panel.isVisible()) +
                    " clickThrough=" + truth(panel.configuration().clickThrough) +
                    " keyAllowed=false mainAllowed=false frame=(" + decimalNumber(frame.x) + ", " +
                    decimalNumber(frame.y) + ", " + decimalNumber(frame.width) + ", " +
                    decimalNumber(frame.height) + ")");
  }
  return joined(lines, "\n");
}

void OverlayController::stop() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  // A text asked for before stopping shows what was tracked then.
  status_.flush();
  stopped_ = true;
  holdActivityWhileMonitoring();
  activity().stop();
  // Each timer invalidates itself when released, each registration removes itself.
  for (Periodic& periodic : periodic_) periodic.timer.reset();
  workspaceRegistrations_.clear();
  for (Pid pid : trackedProcesses()) removeProcess(pid);
}

}  // namespace lumetta
