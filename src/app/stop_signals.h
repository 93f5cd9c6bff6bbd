// SIGINT, SIGTERM and SIGHUP as a request to stop. Installed first thing in
// the process entry, so that a signal at any moment after is caught; the
// timed modes look at the request between turns of the main loop and end as
// if their time had run out, finishing their output and their files. Modes
// that run to their end by themselves restore the default dispositions, so a
// signal ends them as it ends any command.
#pragma once

namespace lumetta {

// Catches the three signals, each unless it was ignored when the process
// started (as under nohup, or in a shell's background job).
void installStopSignals();
// The first of them received since, or 0.
int stopSignal();
// The default dispositions again; a signal received meanwhile takes effect
// now.
void restoreDefaultSignals();

// How the menu-bar run's report names the signal: "interrupted (SIGINT)",
// "terminated (SIGTERM)", and SIGHUP as a termination too, "terminated
// (SIGHUP)".
const char* stopReason(int signal);

}  // namespace lumetta
