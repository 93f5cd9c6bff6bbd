// Process entry on macOS: parse the command line and run the mode on the real
// platform. The menu-bar scene is not built yet, so a mode is required.
#import <AppKit/AppKit.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/panescope_app.h"
#include "platform/mac/mac_platform.h"
#include "support/output.h"

namespace {

constexpr const char* kUsage =
    "usage: Lumetta --self-test | --overlays [SECONDS] |\n"
    "               --record FILE [--watch [SECONDS]] | --classify |\n"
    "               --watch [SECONDS] [--sample-labels] | --dump [--deep]\n"
    "The menu-bar application is not built yet; choose a mode.";

// The flags that only the simulated desktop understands, if one is given.
const char* simulatorFlag(const lumetta::CommandLine& command) {
  if (command.desktopPath) return "--desktop";
  if (command.screenshotPath) return "--screenshot";
  if (command.virtualTime) return "--virtual-time";
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  @autoreleasepool {
    const std::vector<std::string> arguments(argv, argv + argc);
    auto parsed = lumetta::parseCommandLine(arguments);
    if (auto* error = std::get_if<lumetta::CommandLineError>(&parsed)) {
      lumetta::printLine(std::cerr, "lumetta: " + error->message);
      return 2;
    }
    const lumetta::CommandLine& command = std::get<lumetta::CommandLine>(parsed);
    if (const char* flag = simulatorFlag(command)) {
      lumetta::printLine(std::cerr, std::string("lumetta: ") + flag +
                                        " belongs to the simulated desktop; on a Mac every mode "
                                        "observes the real one");
      return 2;
    }
    if (command.mode == lumetta::Mode::menuBar) {
      lumetta::printLine(std::cerr, kUsage);
      return 2;
    }
    lumetta::mac::MacPlatform mac;
    lumetta::PanescopeApp app(mac.platform(), std::cout, std::cerr);
    return app.dispatch(command).value_or(0);
  }
}
