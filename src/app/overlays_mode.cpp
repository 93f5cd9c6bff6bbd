#include "app/overlays_mode.h"

#include <algorithm>
#include <string>

#include "overlay/overlay_controller.h"
#include "support/output.h"

namespace lumetta {

namespace {

constexpr Duration kSlice = Duration::seconds(0.1);
constexpr Duration kReportPeriod = Duration::seconds(1);

}  // namespace

int runOverlays(const Platform& platform, std::ostream& out, Duration runTime,
                const std::function<bool()>& stopRequested, const std::function<void()>& atEnd) {
  platform.application.becomeAgent();
  const std::unique_ptr<OverlayController> controller = OverlayController::create(platform);
  controller->setAppearance(WindowMode::codex, &ModeAppearance::enabled, true);

  Clock& clock = platform.clock;
  const Uptime deadline = clock.uptime() + runTime;
  Uptime nextReport = clock.uptime();
  std::string lastPrinted;
  while (clock.uptime() < deadline && !cannotWrite(out) && !stopRequested()) {
    platform.runLoop.runUntil(std::min(clock.uptime() + kSlice, deadline));
    if (clock.uptime() < nextReport) continue;
    std::string report = controller->summary() + "\n" + controller->runtimeCheck();
    if (report != lastPrinted) {
      printLine(out, report);
      lastPrinted = std::move(report);
    }
    nextReport = clock.uptime() + kReportPeriod;
  }
  printLine(out, "OVERLAY EVENT LOG\n" + controller->events());
  atEnd();
  controller->stop();
  return 0;
}

}  // namespace lumetta
