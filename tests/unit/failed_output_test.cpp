// The timed modes on an output whose reader goes away (a closed pipe, a full
// disk): each stops at the first write that fails instead of running out its
// time, and a recording made meanwhile is still written, up to that moment.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/panescope_app.h"
#include "platform/sim/sim_platform.h"

namespace lumetta {
namespace {

namespace fs = std::filesystem;

// An unbuffered output whose reader goes away at `gone`: every write from
// then on fails; the time of the first failed write is kept.
class ReaderGoneAt final : public std::streambuf {
 public:
  ReaderGoneAt(Clock& clock, std::optional<Uptime> gone) : clock_(clock), gone_(gone) {}
  std::optional<Uptime> firstFailure() const { return firstFailure_; }

 protected:
  int_type overflow(int_type c) override {
    const char text = traits_type::to_char_type(c);
    return xsputn(&text, 1) == 1 ? c : traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize count) override {
    if (!gone_ || clock_.uptime() < *gone_) return count;
    if (!firstFailure_) firstFailure_ = clock_.uptime();
    return 0;
  }

 private:
  Clock& clock_;
  std::optional<Uptime> gone_;
  std::optional<Uptime> firstFailure_;
};

// Seconds of virtual time, from the start of the run.
struct ModeRun {
  double ran = 0;
  std::optional<double> firstFailure;
};

// One mode on the story desktop in virtual time, as `lumetta` runs it; the
// reader of its output goes away after `readerLeaves` seconds.
ModeRun runMode(std::vector<std::string> flags, std::optional<double> readerLeaves) {
  sim::LoadResult loaded = sim::loadDesktopFile(LUMETTA_SOURCE_DIR "/docs/desktops/story.json");
  EXPECT_TRUE(loaded.hasValue());
  sim::SimPlatform simulated(std::move(loaded).value(), sim::TimeSource::manual);
  simulated.manualRunLoop().setRunsJobs(true);
  const Uptime start = simulated.clock().uptime();
  std::optional<Uptime> gone;
  if (readerLeaves) gone = start + Duration::seconds(*readerLeaves);
  ReaderGoneAt buffer(simulated.clock(), gone);
  std::ostream out(&buffer);
  std::ostringstream err;
  flags.insert(flags.begin(), "lumetta");
  PanescopeApp app(simulated.platform(), out, err);
  EXPECT_EQ(app.dispatch(parseCommandLine(flags).value()), 0)
      << "the exit status for the output is the caller's";
  EXPECT_EQ(err.str(), "");
  ModeRun run;
  run.ran = (simulated.clock().uptime() - start).inSeconds();
  if (auto failure = buffer.firstFailure()) run.firstFailure = (*failure - start).inSeconds();
  return run;
}

// When the last event of a recording happens, in seconds from its start.
double lastRecordedEvent(const std::string& path) {
  sim::LoadResult replay = sim::loadDesktopFile(path);
  if (!replay || replay->timeline.empty()) {
    ADD_FAILURE() << path << ": no recording with events";
    return -1;
  }
  return replay->timeline.back().at.inSeconds();
}

TEST(FailedOutput, TimedModesStopAtTheFirstFailedWriteAndStillWriteTheRecording) {
  const std::string recording =
      (fs::temp_directory_path() / ("lumetta-failed-output-" + std::to_string(::getpid())))
          .string();
  const std::vector<std::vector<std::string>> modes = {
      {"--watch", "30"},
      {"--record", recording, "--watch", "30"},
      {"--overlays", "30"},
  };
  for (const auto& flags : modes) {
    const std::string name = flags.front();
    // The story's events go on until 5 s; the reader leaves at 2.5 s.
    const ModeRun broken = runMode(flags, 2.5);
    ASSERT_TRUE(broken.firstFailure) << name;
    EXPECT_GE(*broken.firstFailure, 2.5) << name;
    EXPECT_LT(*broken.firstFailure, 5) << name;
    // At the next look at the output: a slice of the run loop later at most.
    EXPECT_LE(broken.ran - *broken.firstFailure, 0.1) << name;
    if (name == "--record") {
      EXPECT_LT(lastRecordedEvent(recording), 4) << "written up to the failure: no launch at 4 s";
    }
  }
  // With a reader that stays, the recording goes on to the termination at 5 s.
  runMode(modes[1], std::nullopt);
  EXPECT_GE(lastRecordedEvent(recording), 5);
  fs::remove(recording);
}

}  // namespace
}  // namespace lumetta
