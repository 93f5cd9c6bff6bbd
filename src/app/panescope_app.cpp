#include "app/panescope_app.h"

#include "app/overlays_mode.h"
#include "app/self_test.h"
#include "classify/report.h"
#include "diagnostics/tree_capture.h"
#include "diagnostics/validation_monitor.h"
#include "record/recording.h"
#include "support/atomic_file.h"
#include "support/output.h"

namespace lumetta {

std::optional<int> PanescopeApp::dispatch(const CommandLine& command) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (command.mode == Mode::overlays) {
    return runOverlays(platform_, out_, Duration::seconds(command.runSeconds), stopRequested_,
                       modeEnd_);
  }
  const std::optional<int> status = runMode(command);
  if (status) modeEnd_();
  return status;
}

std::optional<int> PanescopeApp::runMode(const CommandLine& command) {
  switch (command.mode) {
    case Mode::selfTest: return runSelfTests(out_, platform_) ? 0 : 1;
    case Mode::overlays: break;  // dispatched above: its panels go when it stops
    case Mode::record: return record(command);
    case Mode::classify: printLine(out_, classificationSnapshot(platform_)); return 0;
    case Mode::watch: {
      ValidationMonitor monitor(platform_, out_, command.sampleLabels);
      monitor.start();
      runFor(Duration::seconds(command.runSeconds));
      monitor.stop();
      return 0;
    }
    case Mode::dump:
      printLine(out_, capture(platform_, command.deep ? 30 : 15, 500).text);
      return 0;
    case Mode::menuBar: return std::nullopt;
  }
  return std::nullopt;
}

int PanescopeApp::record(const CommandLine& command) {
  Recording recording(platform_);
  recording.snapshot();
  if (command.watchWhileRecording) {
    ValidationMonitor monitor(platform_, out_, command.sampleLabels);
    monitor.setObserver(&recording);
    recording.startWatching();
    monitor.start();
    runFor(Duration::seconds(command.runSeconds));
    monitor.stop();
    recording.stopWatching();
  }
  if (auto written = writeFileAtomically(*command.recordPath, recording.json()); !written) {
    printLine(err_, "lumetta: " + written.error().message);
    return 2;
  }
  return 0;
}

void PanescopeApp::runFor(Duration duration) {
  platform_.runLoop.spinUntil(platform_.clock.uptime() + duration,
                              [this] { return cannotWrite(out_) || stopRequested_(); });
}

}  // namespace lumetta
