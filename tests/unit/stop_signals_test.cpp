// The stop signals, in a child process each (they are the process's own):
// caught unless ignored at start, the first one kept, and raised again when
// a mode gives the defaults back.
#include "app/stop_signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

namespace lumetta {
namespace {

TEST(StopSignals, TheFirstIsKeptAnIgnoredOneStaysIgnoredAndTheDefaultsRaiseItAgain) {
  EXPECT_EXIT(
      {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGHUP, SIG_IGN);  // as under nohup
        installStopSignals();
        std::raise(SIGHUP);
        if (stopSignal() != 0) std::_Exit(1);
        std::raise(SIGTERM);
        std::raise(SIGINT);
        if (stopSignal() != SIGTERM) std::_Exit(2);
        restoreDefaultSignals();  // a signal received meanwhile takes effect now
        std::_Exit(3);
      },
      ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_STREQ(stopReason(SIGHUP), "terminated (SIGHUP)") << "a hang-up ends the run as SIGTERM";
}

}  // namespace
}  // namespace lumetta
