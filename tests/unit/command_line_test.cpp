#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumetta {
namespace {

CommandLine parse(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "/usr/bin/lumetta");
  auto parsed = parseCommandLine(arguments);
  if (!parsed) {
    ADD_FAILURE() << parsed.error().message;
    return {};
  }
  return parsed.value();
}

// Of two mode flags, the one earlier in the documented order wins, whichever
// is typed first.
TEST(CommandLine, FirstModeInTheDocumentedOrderWins) {
  const std::pair<std::vector<std::string>, Mode> order[] = {
      {{"--self-test"}, Mode::selfTest},
      {{"--overlays"}, Mode::overlays},
      {{"--record", "out.json"}, Mode::record},
      {{"--classify"}, Mode::classify},
      {{"--watch"}, Mode::watch},
      {{"--dump"}, Mode::dump}};
  for (std::size_t first = 0; first < std::size(order); ++first) {
    for (std::size_t later = first + 1; later < std::size(order); ++later) {
      std::vector<std::string> typed = order[later].first;
      typed.insert(typed.end(), order[first].first.begin(), order[first].first.end());
      EXPECT_EQ(parse(typed).mode, order[first].second) << typed.front() << " " << typed.back();
    }
  }
  EXPECT_EQ(parse({"--deep", "--dump"}).mode, Mode::dump);
  EXPECT_EQ(parse({"--Classify", "classify", "--help"}).mode, Mode::menuBar);
}

TEST(CommandLine, VersionIsAskedForAnywhereBesideAMode) {
  EXPECT_FALSE(parse({"--Version", "version", "-v"}).version);
  const CommandLine withMode = parse({"--classify", "--version"});
  EXPECT_TRUE(withMode.version);
  EXPECT_EQ(withMode.mode, Mode::classify);
  // A path is not the flag.
  EXPECT_TRUE(parse({"--record", "./--version", "--classify"}).recordPath == "./--version");
}

TEST(CommandLine, RecordTakesItsFileAndWatchesOnlyWhenAsked) {
  CommandLine plain = parse({"--record", "out.json", "--classify"});
  EXPECT_EQ(plain.recordPath, "out.json");
  EXPECT_FALSE(plain.watchWhileRecording);
  CommandLine watching = parse({"--watch", "5", "--record", "5", "--sample-labels"});
  EXPECT_EQ(watching.mode, Mode::record);
  EXPECT_EQ(watching.recordPath, "5");
  EXPECT_TRUE(watching.watchWhileRecording);
  EXPECT_TRUE(watching.sampleLabels);
  EXPECT_EQ(watching.runSeconds, 5);
}

TEST(CommandLine, RunTimeIsTheWholeNextArgumentOrTheDefault) {
  EXPECT_FALSE(parse({"--classify", "--sample-labels"}).sampleLabels) << "only --watch samples";
  EXPECT_EQ(parse({"--watch", "--sample-labels"}).runSeconds, kDefaultWatchSeconds);
  EXPECT_EQ(parse({"--overlays", "1e1"}).runSeconds, 10);
  EXPECT_EQ(parse({"--overlays", "-3"}).runSeconds, -3);
  EXPECT_EQ(parse({"--overlays", "0.25"}).runSeconds, 0.25);
  EXPECT_EQ(parse({"--watch", "+.5"}).runSeconds, 0.5);
  EXPECT_EQ(parse({"--watch", "2.E-1"}).runSeconds, 0.2);
  // Only finite decimal numbers: no hexadecimal, infinity or NaN, nothing beyond a double.
  for (const char* bad : {"5s", " 5", "", "five", "5 ", "inf", "-infinity", "nan", "0x10", "1e400",
                          ".", "1e", "1e+", "-", "1.2.3"}) {
    EXPECT_EQ(parse({"--overlays", bad}).runSeconds, kDefaultOverlaysSeconds) << '"' << bad << '"';
  }
  EXPECT_EQ(parse({"4", "--watch"}).runSeconds, kDefaultWatchSeconds);
}

TEST(CommandLine, DesktopFlagAndPathAreInvisibleToTheModes) {
  CommandLine command = parse({"--watch", "--desktop", "story.json", "7"});
  EXPECT_EQ(command.desktopPath, "story.json");
  EXPECT_EQ(command.runSeconds, 7);

  command = parse({"--screenshot", "out.png", "--overlays", "3", "--desktop", "d.json"});
  EXPECT_EQ(command.screenshotPath, "out.png");
  EXPECT_EQ(command.desktopPath, "d.json");
  EXPECT_EQ(command.runSeconds, 3);
  command = parse({"--watch", "--defaults", "5", "--virtual-time", "2"});
  EXPECT_EQ(command.defaultsPath, "5") << "a path that looks like a run time is still a path";
  EXPECT_EQ(command.runSeconds, 2);
}

std::string refusal(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "lumetta");
  auto parsed = parseCommandLine(arguments);
  return parsed ? "parsed" : parsed.error().message;
}

// A flag that takes a value never takes the next flag for it, nor nothing.
TEST(CommandLine, AFlagThatNeedsAValueIsRefusedWithoutOne) {
  EXPECT_EQ(refusal({"--record", "--watch", "5"}), "--record needs a file, not --watch");
  EXPECT_EQ(refusal({"--desktop", "--defualts"}), "--desktop needs a file, not --defualts");
  EXPECT_EQ(refusal({"--desktop", "a", "--desktop", "b"}), "--desktop is given more than once");
  // A value may start with one dash, and "--" alone is a flag-like word.
  EXPECT_EQ(parse({"--record", "-", "--classify"}).recordPath, "-");
  EXPECT_EQ(refusal({"--screenshot", "--"}), "--screenshot needs a file, not --");
}

// Unknown words are ignored; those that look like flags are named.
TEST(CommandLine, UnknownFlagsAreNamedInOrderAndKnownOnesNever) {
  // The unknown-flag-warned end-to-end case has one, beside the system's words.
  EXPECT_EQ(commandLineWarnings(parse({"--defualts", "s.json", "--classify", "--Dump"})),
            (std::vector<std::string>{"ignoring the unknown flag --defualts",
                                      "ignoring the unknown flag --Dump"}));
  EXPECT_TRUE(commandLineWarnings(parse({"--watch", "5", "--sample-labels", "--desktop", "d.json",
                                         "--defaults", "s.json", "--screenshot", "p.png",
                                         "--screenshots", "dir", "--record", "r.json", "--dump",
                                         "--deep", "--self-test", "--overlays", "--virtual-time"}))
                  .empty());
}

}  // namespace
}  // namespace lumetta
