// Process entry on macOS: parse the command line and run the mode on the real
// platform; without a mode, the menu-bar application.
#import <AppKit/AppKit.h>

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/menu_bar_mode.h"
#include "app/output_checks.h"
#include "app/panescope_app.h"
#include "app/stop_signals.h"
#include "app/version.h"
#include "platform/mac/mac_platform.h"
#include "support/output.h"

namespace {

// The flags that only the simulated desktop understands, if one is given.
const char* simulatorFlag(const lumetta::CommandLine& command) {
  if (command.desktopPath) return "--desktop";
  if (command.screenshotPath) return "--screenshot";
  if (command.filmstripPath) return "--screenshots";
  if (command.defaultsPath) return "--defaults";
  if (command.virtualTime) return "--virtual-time";
  return nullptr;
}

// The menu-bar application: the run that owns the overlay controller and its
// menu behind the status item, and the application's own event loop, which
// finishes launching and delivers clicks to the status item and the popover.
// Quit stops the controller and ends the process from inside the loop, and a
// signal ends it as it ends any application.
int runMenuBarApplication(lumetta::mac::MacPlatform& mac) {
  lumetta::restoreDefaultSignals();
  const lumetta::MenuBarRun run(mac.platform(), std::cout);
  [NSApp run];
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything else: a signal from now on stops a timed mode in order.
  lumetta::installStopSignals();
  @autoreleasepool {
    const std::vector<std::string> arguments(argv, argv + argc);
    auto parsed = lumetta::parseCommandLine(arguments);
    if (!parsed) {
      lumetta::printLine(std::cerr, "lumetta: " + parsed.error().message);
      return 2;
    }
    const lumetta::CommandLine& command = *parsed;
    for (const std::string& warning : lumetta::commandLineWarnings(command)) {
      lumetta::printLine(std::cerr, "lumetta: " + warning);
    }
    if (command.version) return lumetta::printVersion(std::cout, std::cerr);
    if (const char* flag = simulatorFlag(command)) {
      lumetta::printLine(std::cerr, std::string("lumetta: ") + flag +
                                        " belongs to the simulated desktop; on a Mac every mode "
                                        "observes the real one");
      return 2;
    }
    if (auto outputs = lumetta::checkOutputs(command); !outputs) {
      lumetta::printLine(std::cerr, "lumetta: " + outputs.error().message);
      return 2;
    }
    if (!lumetta::runsUntilStopped(command)) lumetta::restoreDefaultSignals();
    lumetta::mac::MacPlatform mac;
    lumetta::PanescopeApp app(mac.platform(), std::cout, std::cerr);
    app.stopWhen([] { return lumetta::stopSignal() != 0; });
    if (const std::optional<int> status = app.dispatch(command)) return *status;
    return runMenuBarApplication(mac);
  }
}
