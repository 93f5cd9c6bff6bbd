// The simulated desktop's user defaults, application and colour panel as a
// desktop file gives them, and the settings file behind --defaults: read once,
// replaced whole on every change, never left half-written, never written when
// it could not be read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "overlay/indicator_color_panel.h"
#include "platform/sim/desktop/base64.h"
#include "platform/sim/desktop/defaults_json.h"
#include "support/atomic_file.h"
#include "support/error_text.h"
#include "support/sim_fixture.h"

namespace lumetta::sim {
namespace {

using lumetta::testing::errorText;

namespace fs = std::filesystem;
using lumetta::testing::loadError;
using lumetta::testing::simulated;

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void write(const fs::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary) << text;
}

struct SettingsFile : ::testing::Test {
  fs::path folder =
      fs::temp_directory_path() / ("lumetta-defaults-" + std::to_string(::getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::path file = folder / "settings.json";
  ManualClock clock{std::nullopt};
  ManualRunLoop loop{clock};
  std::vector<std::string> errors;  // each failed write's line
  SettingsFile() { fs::create_directories(folder); }
  ~SettingsFile() override { fs::remove_all(folder); }

  void keep(SimUserDefaults& defaults) {
    defaults.keepIn(readDefaultsFile(file.string()).value(), loop,
                    [this](const std::string& error) { errors.push_back(error); });
  }

  std::vector<fs::path> leftovers() {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path() != file) found.push_back(entry.path());
    }
    return found;
  }
};

TEST(SimDefaults, TheDesktopFileGivesEveryValueFormAndTheApplication) {
  auto sim = simulated(R"({
    "defaults": {"indicatorEnabled": false, "gptStrength": 0.2, "indicatorBorderWidth": "wide",
                 "gptColor": {"color": {"srgb": [0.1, 0.2, 0.3, 1]}},
                 "indicatorColor": {"data": "3q2+7w=="}, "overflow": {"number": "-inf"}},
    "lumetta": {"pid": 77, "version": "2.1", "systemVersion": "Version 13.6"}})");
  Platform platform = sim->platform();
  UserDefaults& defaults = platform.defaults;
  EXPECT_EQ(defaults.boolValue("indicatorEnabled"), false);
  EXPECT_EQ(defaults.doubleValue("gptStrength"), 0.2);
  EXPECT_EQ(defaults.doubleValue("overflow"), -INFINITY);
  EXPECT_TRUE(defaults.hasObject("indicatorBorderWidth"));
  EXPECT_FALSE(defaults.doubleValue("indicatorBorderWidth")) << "text under a number key";
  const auto gpt = platform.colors.unarchive(defaults.dataValue("gptColor").value());
  ASSERT_TRUE(gpt);
  EXPECT_EQ(gpt->srgb(), (Color{0.1, 0.2, 0.3, 1}));
  EXPECT_EQ(defaults.dataValue("indicatorColor"), (Data{0xde, 0xad, 0xbe, 0xef}));
  EXPECT_FALSE(platform.colors.unarchive(*defaults.dataValue("indicatorColor")));

  EXPECT_EQ(platform.applicationInfo.processId(), 77);
  EXPECT_EQ(platform.applicationInfo.shortVersion(), "2.1");
  EXPECT_EQ(platform.applicationInfo.systemVersion(), "Version 13.6");
  EXPECT_EQ(platform.applicationInfo.bundlePath(), "/Applications/Lumetta.app");
}

TEST(SimDefaults, MalformedValuesAreErrorsNamingTheirPath) {
  EXPECT_EQ(loadError(R"({"defaults": {"k": null}})"),
            "d.json: $.defaults.k: expected true, false, a number, a string, or an object with "
            "one of the keys data, color, number");
  EXPECT_EQ(loadError(R"({"defaults": {"k": {"color": {"srgb": [1, 1, 1]}}}})"),
            "d.json: $.defaults.k.color.srgb: expected [red, green, blue, alpha]");
  EXPECT_EQ(loadError(R"({"timeline": [{"at": 1, "pickColor": {"hsb": [1, 1, 1, 1]}}]})"),
            "d.json: $.timeline[0].pickColor: expected {\"srgb\": [r, g, b, a]} or "
            "{\"pattern\": name}");
  EXPECT_EQ(loadError(R"({"lumetta": {"pid": 0}})"),
            "d.json: $.lumetta.pid: expected a process id (a positive 32-bit integer)");
}

TEST(SimDefaults, Base64RoundTripsEveryLengthAndRefusesNonCanonicalText) {
  Data data;
  for (int n = 0; n < 8; ++n) {
    EXPECT_EQ(base64Decode(base64Encode(data)), data) << n << " bytes";
    data.push_back(std::uint8_t(0xff - 37 * n));
  }
  EXPECT_EQ(base64Encode({'M', 'a'}), "TWE=");
  for (std::string_view bad : {"TWE", "TW==x===", "TWF=", "T=E=", "TW E=", "TWE=TWE="}) {
    EXPECT_FALSE(base64Decode(bad)) << bad;
  }
}

TEST(SimColorPanel, TimelinePicksReachTheChooserUnlessTheyHaveNoSRGBForm) {
  auto sim = simulated(R"({"timeline": [
    {"at": 1, "pickColor": {"srgb": [0.5, 0.25, 0, 1]}},
    {"at": 2, "pickColor": {"pattern": "Bricks"}},
    {"at": 3, "pickColor": {"srgb": [0, 0, 1, 0.5]}}]})");
  IndicatorColorPanel chooser(sim->colorPanel());
  std::vector<Color> picked;
  chooser.onChange = [&](const Color& color) { picked.push_back(color); };
  chooser.show(Color::systemBlue());
  const SimColorPanel::State& state = sim->colorPanel().state();
  EXPECT_TRUE(state.visible && state.key && state.continuous);
  EXPECT_FALSE(state.showsAlpha || state.hidesOnDeactivate);
  EXPECT_EQ(state.activations, 1);

  sim->manualRunLoop().runFor(Duration::seconds(10));
  EXPECT_EQ(picked, (std::vector<Color>{{0.5, 0.25, 0, 1}, {0, 0, 1, 0.5}}));
}

TEST_F(SettingsFile, ChangesReachTheFileAtTheNextTurnAndAFreshStartReadsThemBack) {
  auto first = readDefaultsFile(file.string());
  ASSERT_TRUE(first.hasValue());
  EXPECT_FALSE(first.value().values) << "a missing file is made on the first change";

  SimColors colors;
  SimUserDefaults defaults({{"fromDesktop", true}});
  keep(defaults);
  defaults.setDouble("indicatorStrength", 0.15);
  defaults.setDouble("odd", NAN);
  defaults.setData("indicatorColor", colors.archive(Color{0, 0.478, 1, 1}).value());
  defaults.setBool("gptEnabled", true);
  loop.runFor(Duration::zero());
  EXPECT_NE(contents(file).find(R"("indicatorColor":{"color":{"srgb":[0.0,0.478,1.0,1.0]}})"),
            std::string::npos)
      << "a colour is written as a colour, compactly:\n"
      << contents(file);

  auto again = readDefaultsFile(file.string());
  ASSERT_TRUE(again.hasValue()) << errorText(again);
  DefaultsDictionary expected = defaults.values();
  DefaultsDictionary read = *again.value().values;
  ASSERT_TRUE(std::isnan(std::get<double>(read.at("odd"))));
  read.erase("odd");
  expected.erase("odd");
  EXPECT_EQ(read, expected);
  EXPECT_TRUE(read.count("fromDesktop")) << "the desktop's values seed a new file";
  EXPECT_TRUE(errors.empty());
}

// As the platform's own defaults do, the file is replaced at most once a turn
// of the main queue however many changes the turn made, only when its
// contents change, and once more when the defaults are released.
TEST_F(SettingsFile, TheFileIsReplacedOnlyWhenItsContentsChangeAtMostOnceATurn) {
  const auto inode = [&] {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_ino : ino_t(0);
  };
  {
    SimUserDefaults fresh({{"gptEnabled", true}});
    keep(fresh);
    fresh.setBool("gptEnabled", true);  // what it holds already
    loop.runFor(Duration::seconds(1));
  }
  EXPECT_FALSE(fs::exists(file)) << "nothing changed: no file";

  write(file, "{\n  \"gptStrength\": 0.2\n}\n");
  const ino_t original = inode();
  auto defaults = std::make_unique<SimUserDefaults>(DefaultsDictionary{});
  keep(*defaults);
  defaults->setDouble("gptStrength", 0.2);
  loop.runFor(Duration::zero());
  EXPECT_EQ(inode(), original) << "the same value again does not replace the file";
  for (int step = 0; step < 5000; ++step) defaults->setDouble("gptStrength", 0.1 + step * 1e-5);
  defaults->setDouble("gptStrength", 0.15);
  EXPECT_EQ(inode(), original) << "5,000 changes in one turn write nothing yet";
  loop.runFor(Duration::zero());
  const ino_t once = inode();
  EXPECT_NE(once, original);
  EXPECT_EQ(contents(file), "{\"gptStrength\":0.15}\n");
  EXPECT_TRUE(leftovers().empty());

  defaults->setBool("gptEnabled", false);
  defaults.reset();  // released before the main queue ran again
  EXPECT_EQ(contents(file), "{\"gptEnabled\":false,\"gptStrength\":0.15}\n");
  loop.runFor(Duration::seconds(1));  // the write it had asked for finds it gone
}

TEST_F(SettingsFile, ACrashBetweenWriteAndRenameLeavesTheOldFileWhole) {
  const std::string old = "{\n  \"indicatorStrength\": 0.2\n}\n";
  write(file, old);
  EXPECT_EXIT(
      {
        auto staged = StagedFile::stage(file.string(), "{\"indicatorStrength\": 0.25}");
        std::_Exit(staged.hasValue() ? 9 : 1);  // no rename, no cleanup
      },
      ::testing::ExitedWithCode(9), "");
  EXPECT_EQ(contents(file), old);
  EXPECT_EQ(leftovers().size(), 1u) << "the crash left its temporary file";

  SimUserDefaults defaults({});
  keep(defaults);
  EXPECT_EQ(defaults.doubleValue("indicatorStrength"), 0.2);
  defaults.setDouble("indicatorStrength", 0.1);  // the leftover is no obstacle
  loop.runFor(Duration::zero());
  EXPECT_EQ(readDefaultsFile(file.string()).hasValue(), true);
  EXPECT_NE(contents(file).find("0.1"), std::string::npos);
}

// The reader shares the desktop file's JSON and file checks, whose errors
// the end-to-end cases pin; here, what is the settings file's own.
TEST_F(SettingsFile, AFileThatCannotBeReadIsOneErrorLineAndStaysAsItWas) {
  const std::pair<std::string, std::string> broken[] = {
      {"{\"indicatorStrength\": 0.2", "$: expected valid JSON (syntax error at line 1, column 26)"},
      {"[1]", "$: expected an object"},
      {std::string(1024 * 1024 + 1, ' '), "too large (a settings file has at most 1048576 bytes)"},
  };
  for (const auto& [text, expected] : broken) {
    write(file, text);
    auto read = readDefaultsFile(file.string());
    ASSERT_TRUE(!read.hasValue()) << text.substr(0, 40);
    EXPECT_EQ(errorText(read), file.string() + ": " + expected);
    EXPECT_EQ(contents(file), text);
  }
  auto nowhere = readDefaultsFile((folder / "missing" / "settings.json").string());
  EXPECT_TRUE(!nowhere.hasValue()) << "a file that could never be written";
}

TEST_F(SettingsFile, AFailedWriteIsReportedOnceAndEveryChangeKeptAndTriedAgain) {
  SimUserDefaults defaults({});
  keep(defaults);
  fs::remove_all(folder);
  for (int turn = 0; turn < 10; ++turn) {
    defaults.setDouble("gptStrength", turn);
    loop.runFor(Duration::zero());
  }
  ASSERT_EQ(errors.size(), 1u) << "one line per run";
  EXPECT_EQ(errors[0], "cannot write " + file.string() + ": No such file or directory");
  EXPECT_EQ(defaults.doubleValue("gptStrength"), 9);

  fs::create_directories(folder);
  defaults.setBool("gptEnabled", true);
  loop.runFor(Duration::zero());
  EXPECT_EQ(contents(file), "{\"gptEnabled\":true,\"gptStrength\":9}\n");
  EXPECT_EQ(errors.size(), 1u);
}

// Every settings file Lumetta writes is one it reads: compact, whole numbers
// without a point, and never beyond the limit it reads within.
TEST_F(SettingsFile, EveryFileWrittenReadsBackAsItWasWithinTheLimit) {
  SimColors colors;
  const DefaultsDictionary varied = {
      {"whole", 6.0},
      {"negativeZero", -0.0},
      {"infinite", INFINITY},
      {"large", 1e300},
      {"tiny", 5e-324},
      {"beyondExactIntegers", 9007199254740992.0},
      {"fraction", -1.5},
      {"negativeInfinite", -INFINITY},
      {"truth", false},
      {"text \u00e9\n\x1b\"", std::string("\u2014 \\ \x07")},
      {"data", Data{0, 1, 0xfe, 0xff}},
      {"colour", *colors.archive(Color{0.2, 0.4, 0.6, 1})},
  };
  auto parsed = parseDefaults(defaultsJsonText(varied));
  ASSERT_TRUE(std::holds_alternative<DefaultsDictionary>(parsed))
      << std::get<JsonProblem>(parsed).text;
  const DefaultsDictionary back = std::get<DefaultsDictionary>(parsed);
  EXPECT_EQ(back, varied);
  EXPECT_TRUE(std::signbit(std::get<double>(back.at("negativeZero"))));

  // A compact file just under the limit, of the kind a user might keep, that
  // one more key would take beyond it: not written, one line, and the file
  // keeps what it held, which still reads.
  std::string fitting = "{";
  for (int key = 0; fitting.size() < kMaxSettingsFileBytes - 100; ++key) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%s\"k%06d\":1e5", key ? "," : "", key);
    fitting += entry;
  }
  fitting += "}";
  write(file, fitting);
  {
    SimUserDefaults defaults({});
    keep(defaults);
    defaults.setBool("gptEnabled", true);
  }
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].substr(0, errors[0].find(':', 13)), "cannot write " + file.string());
  EXPECT_NE(errors[0].find("more than a settings file may hold (1048576)"), std::string::npos)
      << errors[0];
  EXPECT_TRUE(contents(file) == fitting);
}

// A settings file that is a symbolic link is written through it, as an
// editor writes it; a link to a file not written yet creates its target,
// and links that go round are one line.
TEST_F(SettingsFile, ALinkIsWrittenThroughToItsTarget) {
  fs::create_directories(folder / "dotfiles");
  fs::create_symlink(folder / "dotfiles" / "new.json", file);
  {
    SimUserDefaults defaults({});
    keep(defaults);
    defaults.setBool("gptEnabled", true);
  }
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(contents(folder / "dotfiles" / "new.json"), "{\"gptEnabled\":true}\n");
  fs::remove(file);
  fs::create_symlink("settings.json", file);
  auto loop = readDefaultsFile(file.string());
  ASSERT_TRUE(!loop.hasValue());
  EXPECT_EQ(errorText(loop),
            file.string() + ": cannot be read (Too many levels of symbolic links)");
}

// Threads writing and reading at once: the file always ends with what memory
// holds, whichever write came last.
TEST_F(SettingsFile, ThreadedWritesLeaveTheFileEqualToTheValuesInMemory) {
  SimUserDefaults defaults({});
  keep(defaults);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&defaults, t] {
      for (int i = 0; i < 5; ++i) {
        defaults.setDouble("shared", t * 100 + i);
        defaults.setBool("flag" + std::to_string(t), i % 2 == 0);
        (void)defaults.doubleValue("shared");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  loop.runFor(Duration::zero());
  auto read = readDefaultsFile(file.string());
  ASSERT_TRUE(read.hasValue());
  EXPECT_EQ(*read.value().values, defaults.values());
  EXPECT_EQ(defaults.values().size(), 5u);
}

}  // namespace
}  // namespace lumetta::sim
