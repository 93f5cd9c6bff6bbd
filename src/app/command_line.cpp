#include "app/command_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lumetta {

namespace {

// The flags that take no value (a run time may follow --overlays and
// --watch). A new one is a line here, and what it does in parseCommandLine.
constexpr std::string_view kSwitches[] = {
    "--self-test", "--overlays",      "--classify", "--watch",
    "--dump",      "--sample-labels", "--deep",     "--version",
};

// The flags followed by a value, and what the value is.
struct ValueFlag {
  std::string_view name;
  std::optional<std::string> CommandLine::*field;
  std::string_view value;
};
constexpr ValueFlag kValueFlags[] = {
    {"--desktop", &CommandLine::desktopPath, "a file"},
    {"--screenshot", &CommandLine::screenshotPath, "a file"},
    {"--screenshots", &CommandLine::filmstripPath, "a folder"},
    {"--defaults", &CommandLine::defaultsPath, "a file"},
    {"--record", &CommandLine::recordPath, "a file"},
};

bool isFlagLike(std::string_view word) { return word.size() >= 2 && word.substr(0, 2) == "--"; }

bool has(const std::vector<std::string>& arguments, std::string_view flag) {
  return std::find(arguments.begin(), arguments.end(), flag) != arguments.end();
}

// The number right after `flag`, or the default.
double runTimeAfter(const std::vector<std::string>& arguments, std::string_view flag,
                    double fallback) {
  auto it = std::find(arguments.begin(), arguments.end(), flag);
  if (it == arguments.end() || ++it == arguments.end()) return fallback;
  return parseRunTime(*it).value_or(fallback);
}

}  // namespace

std::optional<double> parseRunTime(const std::string& text) {
  std::size_t at = 0;
  const auto skipSign = [&] {
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  };
  const auto skipDigits = [&] {
    const std::size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    return at - start;
  };
  skipSign();
  std::size_t digits = skipDigits();
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits += skipDigits();
  }
  if (digits == 0) return std::nullopt;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    skipSign();
    if (skipDigits() == 0) return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;
  // Only the syntax above reaches strtod: no hexadecimal, no infinity, no NaN.
  const double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;  // beyond a double's range
  return value;
}

bool runsUntilStopped(const CommandLine& command) {
  switch (command.mode) {
    case Mode::overlays:
    case Mode::watch:
    case Mode::menuBar: return true;
    case Mode::record: return command.watchWhileRecording;
    case Mode::selfTest:
    case Mode::classify:
    case Mode::dump: return false;
  }
  return false;
}

std::vector<std::string> commandLineWarnings(const CommandLine& command) {
  std::vector<std::string> lines;
  for (const std::string& word : command.unknownFlags) {
    lines.push_back("ignoring the unknown flag " + word);
  }
  return lines;
}

Expected<CommandLine> parseCommandLine(std::span<const std::string> arguments) {
  CommandLine command;
  // The flags with values (the simulated platform's --desktop, --screenshot,
  // --screenshots and --defaults, and --record) are taken out with them, and
  // the simulated platform's --virtual-time; what is left is for the modes.
  std::vector<std::string> rest;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--virtual-time") {
      command.virtualTime = true;
      continue;
    }
    const auto* flag = std::find_if(std::begin(kValueFlags), std::end(kValueFlags),
                                    [&](const ValueFlag& f) { return word == f.name; });
    if (flag == std::end(kValueFlags)) {
      if (isFlagLike(word) &&
          std::find(std::begin(kSwitches), std::end(kSwitches), word) == std::end(kSwitches)) {
        command.unknownFlags.push_back(word);
      }
      rest.push_back(word);
      continue;
    }
    const std::string needs = word + " needs " + std::string(flag->value);
    if (i + 1 == arguments.size()) return Error{needs};
    if (isFlagLike(arguments[i + 1])) return Error{needs + ", not " + arguments[i + 1]};
    std::optional<std::string>& value = command.*(flag->field);
    if (value) return Error{word + " is given more than once"};
    value = arguments[++i];
  }

  command.version = has(rest, "--version");
  if (has(rest, "--self-test")) {
    command.mode = Mode::selfTest;
  } else if (has(rest, "--overlays")) {
    command.mode = Mode::overlays;
    command.runSeconds = runTimeAfter(rest, "--overlays", kDefaultOverlaysSeconds);
  } else if (command.recordPath) {
    command.mode = Mode::record;
    command.watchWhileRecording = has(rest, "--watch");
    command.runSeconds = runTimeAfter(rest, "--watch", kDefaultWatchSeconds);
    command.sampleLabels = has(rest, "--sample-labels");
  } else if (has(rest, "--classify")) {
    command.mode = Mode::classify;
  } else if (has(rest, "--watch")) {
    command.mode = Mode::watch;
    command.runSeconds = runTimeAfter(rest, "--watch", kDefaultWatchSeconds);
    command.sampleLabels = has(rest, "--sample-labels");
  } else if (has(rest, "--dump")) {
    command.mode = Mode::dump;
    command.deep = has(rest, "--deep");
  }
  return command;
}

}  // namespace lumetta
