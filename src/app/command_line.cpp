#include "app/command_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lumetta {

namespace {

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

std::variant<CommandLine, CommandLineError> parseCommandLine(
    std::span<const std::string> arguments) {
  CommandLine command;
  // --desktop, --screenshot, --screenshots and --defaults with their paths, and
  // --virtual-time, belong to the simulated platform, not to the modes;
  // --record's path is taken here too.
  const std::pair<std::string_view, std::optional<std::string>*> options[] = {
      {"--desktop", &command.desktopPath},
      {"--screenshot", &command.screenshotPath},
      {"--screenshots", &command.filmstripPath},
      {"--defaults", &command.defaultsPath},
      {"--record", &command.recordPath}};
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    auto option = std::find_if(std::begin(options), std::end(options),
                               [&](const auto& o) { return i > 0 && arguments[i] == o.first; });
    if (i > 0 && arguments[i] == "--virtual-time") {
      command.virtualTime = true;
      continue;
    }
    if (option == std::end(options)) {
      rest.push_back(arguments[i]);
      continue;
    }
    const std::string flag(option->first);
    if (i + 1 == arguments.size()) {
      return CommandLineError{
          flag + (option->second == &command.filmstripPath ? " needs a folder" : " needs a file")};
    }
    if (*option->second) return CommandLineError{flag + " is given more than once"};
    *option->second = arguments[++i];
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
