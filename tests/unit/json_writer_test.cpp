// The JSON writer against the rules of JSON, and files written whole or not at all.
#include "support/json_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/atomic_file.h"
#include "support/error_text.h"

namespace lumetta {
namespace {

using lumetta::testing::errorText;

namespace fs = std::filesystem;

TEST(JsonWriter, EscapesWhatJsonRequiresAndReplacesBytesThatAreNotUtf8) {
  EXPECT_EQ(jsonString("say \"hi\"\\"), R"("say \"hi\"\\")");
  EXPECT_EQ(jsonString("a\nb\tc\x01\x1f\x7f"), "\"a\\nb\\tc\\u0001\\u001f\x7f\"");
  EXPECT_EQ(jsonString("caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x98\x80"),
            "\"caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x98\x80\"");
  // A lone continuation byte, a truncated sequence, an overlong form, a surrogate.
  EXPECT_EQ(jsonString("\x80|\xe2\x80|\xc0\xaf|\xed\xa0\x80"),
            "\"\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD|"
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
  EXPECT_EQ(jsonString(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(JsonWriter, RealsReadBackAsTheSameRealsAndNeverAsIntegers) {
  EXPECT_EQ(jsonNumber(800.0), "800.0");
  EXPECT_EQ(jsonNumber(-0.0), "-0.0");
  EXPECT_EQ(jsonNumber(1e300), "1e+300");
  EXPECT_EQ(jsonNumber(NAN), "null");
  EXPECT_EQ(jsonNumber(-INFINITY), "null");
  for (double value : {0.1 + 0.2, 1.0 / 3, 5e-324, 1.7976931348623157e308, 123456789.125}) {
    EXPECT_EQ(std::strtod(jsonNumber(value).c_str(), nullptr), value);
  }
}

TEST(JsonWriter, TheTopTwoLevelsReadLineByLineAndEverythingDeeperIsCompact) {
  const JsonValue frame = JsonObject{{"frame", JsonArray{0.0, 1.5, std::int64_t{2}}}};
  EXPECT_EQ(jsonText(JsonObject{{"on", true},
                                {"apps", JsonArray{frame, JsonObject{{"none", nullptr}}}},
                                {"clock", JsonObject{{"at", "now"}}},
                                {"empty", JsonArray{}}}),
            "{\n"
            "  \"on\": true,\n"
            "  \"apps\": [\n"
            "    {\"frame\":[0.0,1.5,2]},\n"
            "    {\"none\":null}\n"
            "  ],\n"
            "  \"clock\": {\n"
            "    \"at\": \"now\"\n"
            "  },\n"
            "  \"empty\": []\n"
            "}\n");
  EXPECT_EQ(jsonText(JsonArray{}), "[]\n");
}

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder =
        fs::temp_directory_path() /
        ("lumetta-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename());
    return names;
  }
  fs::path folder;
};

std::string contents(const fs::path& file) {
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), {}};
}

// What is replaced is the name, whole: a link there is replaced, never
// followed, and a folder or a FIFO is refused before anything is written.
// Nothing else is left behind.
TEST_F(AtomicFile, ReplacesTheNameWholeAndRefusesAnythingButAFile) {
  const fs::path target = folder / "target", link = folder / "link";
  std::ofstream(target) << "kept";
  fs::create_symlink(target, link);
  ASSERT_TRUE(writeFileAtomically(link, std::string(100'000, 'a')));
  ASSERT_TRUE(writeFileAtomically(link, "short"));
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(contents(link), "short");
  EXPECT_EQ(contents(target), "kept");

  fs::create_directories(folder / "taken" / "inside");
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  const std::pair<fs::path, std::string> refused[] = {{folder / "taken", "a directory"},
                                                      {folder / "pipe", "a FIFO"}};
  for (const auto& [path, kind] : refused) {
    EXPECT_EQ(errorText(writeFileAtomically(path, "x")),
              "cannot write " + path.string() + ": " + kind + ", not a regular file");
  }
  EXPECT_TRUE(fs::is_directory(folder / "taken" / "inside"));
  EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
  auto names = entries();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"link", "pipe", "taken", "target"}));
}

}  // namespace
}  // namespace lumetta
