// Process entry on the simulated desktop: parse the command line, load the
// desktop (a file or the built-in demo), run the mode.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/panescope_app.h"
#include "platform/sim/screen_picture.h"
#include "platform/sim/sim_platform.h"
#include "support/output.h"

namespace {

constexpr const char* kUsage =
    "usage: lumetta [--desktop FILE] [--defaults FILE] [--screenshot PNG] [--virtual-time]\n"
    "               --self-test | --overlays [SECONDS] |\n"
    "               --record FILE [--watch [SECONDS]] | --classify |\n"
    "               --watch [SECONDS] [--sample-labels] | --dump [--deep]\n"
    "The menu-bar application needs macOS; on the simulated desktop choose a mode.";

}  // namespace

int main(int argc, char** argv) {
  using namespace lumetta;
  const std::vector<std::string> arguments(argv, argv + argc);
  auto parsed = parseCommandLine(arguments);
  if (auto* error = std::get_if<CommandLineError>(&parsed)) {
    printLine(std::cerr, "lumetta: " + error->message);
    return 2;
  }
  const CommandLine& command = std::get<CommandLine>(parsed);
  if (command.mode == Mode::menuBar) {
    printLine(std::cerr, kUsage);
    return 2;
  }

  sim::LoadResult loaded = command.desktopPath
                               ? sim::loadDesktopFile(*command.desktopPath)
                               : sim::parseDesktop(sim::demoDesktopJson(), "demo desktop");
  if (auto* error = std::get_if<sim::LoadError>(&loaded)) {
    printLine(std::cerr, error->message);
    return 2;
  }
  // The settings file is read before anything runs; one that cannot be read is
  // never written.
  std::optional<sim::DefaultsFile> defaultsFile;
  if (command.defaultsPath) {
    auto read = sim::readDefaultsFile(*command.defaultsPath);
    if (auto* error = std::get_if<sim::LoadError>(&read)) {
      printLine(std::cerr, error->message);
      return 2;
    }
    defaultsFile = std::get<sim::DefaultsFile>(std::move(read));
  }
  // Virtual time runs the desktop on the manual clock: timed modes finish at
  // once with exact, reproducible times.
  sim::SimPlatform simulated(std::get<sim::DesktopModel>(std::move(loaded)),
                             command.virtualTime ? sim::TimeSource::manual : sim::TimeSource::real);
  // Background jobs run on virtual time too, each as soon as the main queue is idle.
  if (command.virtualTime) simulated.manualRunLoop().setRunsJobs(true);
  if (defaultsFile) {
    simulated.defaults().keepIn(std::move(*defaultsFile), [](const std::string& error) {
      printLine(std::cerr, "lumetta: " + error);
    });
  }
  PanescopeApp app(simulated.platform(), std::cout, std::cerr);
  // The picture shows the screen as the mode left it.
  std::optional<std::string> pictureError;
  if (command.screenshotPath) {
    app.onModeEnd([&] {
      pictureError =
          sim::writeScreenPicture(simulated.desktop(), simulated.panels(), *command.screenshotPath);
    });
  }
  const int status = app.dispatch(command).value_or(0);
  if (pictureError) {
    printLine(std::cerr, "lumetta: " + *pictureError);
    return 2;
  }
  // What the mode printed must have arrived (a full disk, a closed pipe).
  if (!delivered(std::cout)) {
    printLine(std::cerr, "lumetta: standard output: cannot be written");
    return 2;
  }
  return status;
}
