#include "app/panescope_app.h"

#include "app/self_test.h"
#include "classify/report.h"
#include "support/output.h"

namespace lumetta {

std::optional<int> PanescopeApp::dispatch(const CommandLine& command) {
  switch (command.mode) {
    case Mode::selfTest: return runSelfTests(out_, platform_) ? 0 : 1;
    case Mode::overlays: return notBuiltYet("--overlays");
    case Mode::classify:
      printLine(out_, classificationSnapshot(platform_));
      return 0;
    case Mode::watch: return notBuiltYet("--watch");
    case Mode::dump: return notBuiltYet("--dump");
    case Mode::menuBar: return std::nullopt;
  }
  return std::nullopt;
}

int PanescopeApp::notBuiltYet(const char* flag) {
  printLine(err_, std::string("lumetta: ") + flag + " is not built yet");
  return 2;
}

}  // namespace lumetta
