// Process entry on the simulated desktop: parse the command line, load the
// desktop (a file or the built-in demo), run the mode or, without a mode
// flag, the menu-bar application with the timeline's scripted user.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/menu_bar_mode.h"
#include "app/output_checks.h"
#include "app/panescope_app.h"
#include "app/stop_signals.h"
#include "app/version.h"
#include "platform/sim/pictures/filmstrip.h"
#include "platform/sim/pictures/screen_picture.h"
#include "platform/sim/services/run_outcome.h"
#include "platform/sim/sim_platform.h"
#include "support/output.h"
#include "support/text_format.h"

namespace {

using namespace lumetta;

// Pictures of the screen: at the end of the mode (--screenshot) and after
// each step of the scripted user (--screenshots); the first failure.
struct Pictures {
  sim::SimPlatform& simulated;
  std::optional<sim::Filmstrip> filmstrip;
  Expected<void> written;

  void take(const std::string& path) {
    if (!written) return;
    written =
        sim::writeScreenPicture(simulated.desktop(), simulated.panels(), path,
                                sim::MenuBarScene{simulated.menuBar(), simulated.clock().now()});
  }
};

// The menu-bar application until "Quit", SIGINT, SIGTERM or SIGHUP, or under
// virtual time the timeline's last event; its report on `out`.
int runMenuBar(sim::SimPlatform& simulated, const CommandLine& command,
               const std::string& desktopName, Pictures& pictures) {
  const Uptime start = simulated.clock().uptime();
  MenuBarRun run(simulated.platform(), std::cout);
  if (const auto& item = simulated.menuBar().statusItem()) {
    printLine(std::cout, "STATUS ITEM " + quotedLiteral(item->title) + " " + item->symbolName);
  }
  sim::ScriptedUser& user = simulated.user();
  user.setObserver([&](const sim::ScriptedUser::Step& step) {
    run.reportStep(step.at, step.description, step.looked);
    if (pictures.filmstrip) pictures.take(pictures.filmstrip->nextPath(step.description));
  });
  // Under virtual time the run ends once the timeline's last event has run,
  // events at 0 s included.
  run.run(Uptime::never(), [&] {
    return simulated.application().terminated() || stopSignal() != 0 || user.failure() ||
           (command.virtualTime && simulated.timeline().finished());
  });
  user.setObserver({});
  if (const auto& failure = user.failure()) {
    printLine(std::cerr, "lumetta: " + desktopName + ": " + *failure);
    return 2;
  }
  const std::string at = "END at " + secondsText(simulated.clock().uptime() - start) + " s: ";
  if (simulated.application().terminated()) {
    printLine(std::cout, at + "the application terminated");
  } else if (stopSignal() != 0) {
    printLine(std::cout, at + stopReason(stopSignal()));
  } else {
    printLine(std::cout, at + "the timeline's last event");
  }
  for (const std::string& line :
       sim::runOutcome(simulated.pasteboard(), simulated.workspace(), simulated.loginItem())) {
    printLine(std::cout, line);
  }
  if (command.screenshotPath) pictures.take(*command.screenshotPath);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lumetta;
  // Before anything else: a signal from now on stops a timed mode in order.
  installStopSignals();
  const std::vector<std::string> arguments(argv, argv + argc);
  auto parsed = parseCommandLine(arguments);
  if (!parsed) {
    printLine(std::cerr, "lumetta: " + parsed.error().message);
    return 2;
  }
  const CommandLine& command = *parsed;
  for (const std::string& warning : commandLineWarnings(command)) {
    printLine(std::cerr, "lumetta: " + warning);
  }
  if (command.version) return printVersion(std::cout, std::cerr);
  if (auto outputs = checkOutputs(command); !outputs) {
    printLine(std::cerr, "lumetta: " + outputs.error().message);
    return 2;
  }
  if (!runsUntilStopped(command)) restoreDefaultSignals();

  sim::LoadResult loaded = command.desktopPath
                               ? sim::loadDesktopFile(*command.desktopPath)
                               : sim::parseDesktop(sim::demoDesktopJson(), "demo desktop");
  if (!loaded) {
    printLine(std::cerr, loaded.error().message);
    return 2;
  }
  // The settings file is read before anything runs; one that cannot be read is
  // never written.
  std::optional<sim::DefaultsFile> defaultsFile;
  if (command.defaultsPath) {
    auto read = sim::readDefaultsFile(*command.defaultsPath);
    if (!read) {
      printLine(std::cerr, read.error().message);
      return 2;
    }
    defaultsFile = std::move(read).value();
  }
  // Virtual time runs the desktop on the manual clock: timed modes finish at
  // once with exact, reproducible times.
  sim::SimPlatform simulated(std::move(loaded).value(),
                             command.virtualTime ? sim::TimeSource::manual : sim::TimeSource::real);
  // Background jobs run on virtual time too, each as soon as the main queue is
  // idle.
  if (command.virtualTime) simulated.manualRunLoop().setRunsJobs(true);
  if (defaultsFile) {
    simulated.defaults().keepIn(
        std::move(*defaultsFile), simulated.runLoop(),
        [](const std::string& error) { printLine(std::cerr, "lumetta: " + error); });
  }
  Pictures pictures{simulated, std::nullopt, {}};
  if (command.filmstripPath) {
    auto strip = sim::Filmstrip::open(*command.filmstripPath);
    if (!strip) {
      printLine(std::cerr, "lumetta: " + strip.error().message);
      return 2;
    }
    pictures.filmstrip = std::move(strip).value();
  }
  int status = 0;
  if (command.mode == Mode::menuBar) {
    status = runMenuBar(simulated, command,
                        command.desktopPath ? *command.desktopPath : "demo desktop", pictures);
  } else {
    PanescopeApp app(simulated.platform(), std::cout, std::cerr);
    app.stopWhen([] { return stopSignal() != 0; });
    // The picture shows the screen as the mode left it.
    if (command.screenshotPath) app.onModeEnd([&] { pictures.take(*command.screenshotPath); });
    status = app.dispatch(command).value_or(0);
  }
  if (!pictures.written) {
    printLine(std::cerr, "lumetta: " + pictures.written.error().message);
    return 2;
  }
  // What the mode printed must have arrived (a full disk, a closed pipe).
  if (!delivered(std::cout)) {
    printLine(std::cerr, "lumetta: standard output: cannot be written");
    return 2;
  }
  return status;
}
