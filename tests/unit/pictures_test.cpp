// The README's pictures come from tools/make_pictures.sh; run it and check a
// few pixels of what it writes.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

struct Picture {
  explicit Picture(const std::filesystem::path& path)
      : surface(cairo_image_surface_create_from_png(path.c_str())) {}
  ~Picture() { cairo_surface_destroy(surface); }
  bool ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
  // Red, green and blue of an opaque pixel.
  std::array<int, 3> at(int x, int y) const {
    std::uint32_t argb;
    std::memcpy(&argb, cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface) + x * 4, 4);
    return {int(argb >> 16 & 255), int(argb >> 8 & 255), int(argb & 255)};
  }
  cairo_surface_t* surface;
};

TEST(Pictures, TheDocumentedCommandsShowTheDesktopAndBothOverlayStyles) {
  const auto out = std::filesystem::temp_directory_path() / "lumetta-pictures";
  std::filesystem::remove_all(out);
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

}  // namespace
