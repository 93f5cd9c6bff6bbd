// The README's pictures come from tools/make_pictures.sh; run it and check a
// few pixels of what it writes. Absurd geometry is refused, not drawn.
#include <gtest/gtest.h>

#include <cairo.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/sim/pictures/screen_picture.h"
#include "support/error_text.h"
#include "support/sim_fixture.h"

namespace {

using lumetta::testing::simulated;

// A fresh folder of this run's own, so that runs side by side never share one.
std::filesystem::path freshFolder(const std::string& name) {
  std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) return {};
  return pattern;
}

struct Picture {
  explicit Picture(const std::filesystem::path& path)
      : surface(cairo_image_surface_create_from_png(path.c_str())) {}
  ~Picture() { cairo_surface_destroy(surface); }
  bool ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
  // Red, green and blue of an opaque pixel.
  std::array<int, 3> at(int x, int y) const {
    std::uint32_t argb;
    std::memcpy(
        &argb,
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface) + x * 4,
        4);
    return {int(argb >> 16 & 255), int(argb >> 8 & 255), int(argb & 255)};
  }
  cairo_surface_t* surface;
};

TEST(Pictures, TheDocumentedCommandsShowTheDesktopAndBothOverlayStyles) {
  const auto out = freshFolder("lumetta-pictures");
  ASSERT_FALSE(out.empty());
  const std::string command = std::string(LUMETTA_SOURCE_DIR) + "/tools/make_pictures.sh " +
                              LUMETTA_BUILD_DIR + " " + out.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  Picture desktop(out / "demo-desktop.png"), topBar(out / "overlay-top-bar.png"),
      border(out / "overlay-border.png");
  ASSERT_TRUE(desktop.ok() && topBar.ok() && border.ok());

  // The front ChatGPT window (100 x 80 at 120, 90) under a green top bar of 52
  // points; below the bar the window is untouched.
  auto plain = desktop.at(700, 130), tinted = topBar.at(700, 130);
  EXPECT_NE(plain, tinted);
  EXPECT_GT(tinted[1] - tinted[0], plain[1] - plain[0]);
  EXPECT_EQ(desktop.at(700, 160), topBar.at(700, 160));

  // The Codex-mode window behind it (900 x 640 at 380, 240) has a blue border
  // where nothing covers it, and none where the front window does.
  auto edge = border.at(1277, 350);
  EXPECT_GT(edge[2], 200);
  EXPECT_LT(edge[0], 60);
  EXPECT_EQ(desktop.at(383, 500), border.at(383, 500));
  std::filesystem::remove_all(out);
}

struct NoContent : lumetta::PanelContent {
  void draw(lumetta::Canvas&, lumetta::Size) override {}
};

TEST(Pictures, AbsurdGeometryIsRefusedInOneLineAndTallWindowsShowWhereTheyReach) {
  const auto folder = freshFolder("lumetta-absurd");
  ASSERT_FALSE(folder.empty());
  const std::string out = (folder / "absurd.png").string();
  auto window = [](const std::string& bounds) {
    return R"({"windows": [{"number": 7, "pid": 1, "layer": 0, "owner": "X", "bounds": )" + bounds +
           "}]}";
  };
  auto picture = [&](const std::string& json) {
    auto platform = simulated(json);
    auto written = lumetta::sim::writeScreenPicture(platform->desktop(), platform->panels(), out);
    return written ? std::string("written") : written.error().message;
  };
  const std::string edges = " (edges within 1000000 points of the origin)";
  EXPECT_EQ(
      picture(window("[-1e308, -1e308, 1e308, 1e308]")),
      out + ": cannot picture window 7 with the bounds [-1e+308, -1e+308, 1e+308, 1e+308]" + edges);
  EXPECT_EQ(picture(R"({"displays": [{"frame": [0, 0, 8193, 900]}]})"),
            out +
                ": cannot picture a display with the frame [0, 0, 8193, 900] (at most 8192 x 8192 "
                "points," +
                " edges within 1000000 points of the origin)");
  EXPECT_FALSE(std::filesystem::exists(out));

  // A panel too large to picture keeps no backing, and the picture says so.
  auto platform = simulated("{}");
  NoContent content;
  auto panel = platform->panels().makePanel({}, content);
  panel->setFrame({0, 0, 9000, 10}, true);
  panel->orderFrontRegardless();
  EXPECT_FALSE(static_cast<lumetta::sim::SimPanel&>(*panel).surface());
  EXPECT_EQ(lumetta::testing::errorText(
                lumetta::sim::writeScreenPicture(platform->desktop(), platform->panels(), out)),
            out +
                ": cannot picture overlay panel 90001 with the frame [0, 0, 9000, 10] (at most "
                "8192 x 8192 "
                "points, edges within 1000000 points of the origin)");

  // Within the limits, a window taller than anything shows where it reaches.
  ASSERT_EQ(picture(window("[10, -999000, 300, 999500]")), "written");
  Picture tall(out);
  ASSERT_TRUE(tall.ok());
  EXPECT_GT(tall.at(300, 2)[0], 200);    // the window's plain content, at the top edge
  EXPECT_LT(tall.at(300, 600)[0], 120);  // the wallpaper below its bottom at 500
  std::filesystem::remove_all(folder);
}

// A picture replaces what lies under its name as a recording does: a planted
// link is replaced, not written through, and a write the disk refuses leaves
// no picture at all, not a cut-off one.
TEST(Pictures, ALinkUnderTheNameIsReplacedAndAFullDiskLeavesNothingHalfWritten) {
  namespace fs = std::filesystem;
  const auto folder = freshFolder("lumetta-picture-files");
  ASSERT_FALSE(folder.empty());
  const fs::path target = folder / "elsewhere.txt", out = folder / "shot.png";
  std::ofstream(target) << "keep me";
  fs::create_symlink(target, out);
  auto platform = simulated("{}");
  ASSERT_TRUE(lumetta::sim::writeScreenPicture(platform->desktop(), platform->panels(), out));
  EXPECT_FALSE(fs::is_symlink(out));
  EXPECT_TRUE(Picture(out).ok());
  std::ifstream kept(target);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(kept), {}) == "keep me")
      << "the picture went through the link";

  // A disk that takes only the first kilobyte of any file.
  const fs::path full = folder / "full.png";
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto written =
      lumetta::sim::writeScreenPicture(platform->desktop(), platform->panels(), full);
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(lumetta::testing::errorText(written),
            "cannot write " + full.string() + ": File too large");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"elsewhere.txt", "shot.png"}));
  fs::remove_all(folder);
}

}  // namespace
