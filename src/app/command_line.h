// The command line: which mode runs, for how long, with which modifiers, and
// which simulated desktop to use. Flags match exactly and anywhere; the first
// mode flag in test order wins. A flag that takes a value takes the next
// argument, which may not be a flag itself; other arguments are ignored, but
// a word starting with "--" that is no flag is named in a warning (what the
// system passes an application, "-NSDocumentRevisionsDebugMode YES" or
// "-psn_0_1234", starts with one dash and passes quietly).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "support/expected.h"

namespace lumetta {

enum class Mode { selfTest, overlays, record, classify, watch, dump, menuBar };

struct CommandLine {
  Mode mode = Mode::menuBar;
  double runSeconds = 0;                      // --overlays and --watch (also with --record)
  bool deep = false;                          // --dump --deep
  bool sampleLabels = false;                  // --watch --sample-labels
  std::optional<std::string> recordPath;      // --record FILE
  bool watchWhileRecording = false;           // --record FILE --watch
  std::optional<std::string> desktopPath;     // --desktop FILE
  std::optional<std::string> screenshotPath;  // --screenshot FILE
  std::optional<std::string> filmstripPath;   // --screenshots DIR
  std::optional<std::string> defaultsPath;    // --defaults FILE
  bool virtualTime = false;                   // --virtual-time
  bool version = false;                   // --version: print the version instead of running a mode
  std::vector<std::string> unknownFlags;  // words starting with "--" that are no flags
};

inline constexpr double kDefaultOverlaysSeconds = 30;
inline constexpr double kDefaultWatchSeconds = 60;

// `arguments` is the whole list, the executable's own path first.
// The command, or the one line that refuses it.
Expected<CommandLine> parseCommandLine(std::span<const std::string> arguments);

// Whether the mode runs for a time or until it is stopped (--overlays,
// --watch, --record --watch, the menu-bar application), rather than to an end
// of its own.
bool runsUntilStopped(const CommandLine& command);

// One line for each unknown flag, for standard error: "ignoring the unknown
// flag --defualts".
std::vector<std::string> commandLineWarnings(const CommandLine& command);

// A run time: the whole text as a finite decimal number in the C locale's
// syntax (sign, digits with an optional point, exponent).
std::optional<double> parseRunTime(const std::string& text);

}  // namespace lumetta
