// lumetta-filmstrip: lays pictures of the simulated screen side by side, each
// cropped to the same region and scaled, with a caption under each: a
// filmstrip of what happened between them.
//
//   lumetta-filmstrip --crop X,Y,WIDTH,HEIGHT [--scale S] --out STRIP.png
//                     CAPTION=PICTURE.png ...
#include <cairo.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

int fail(const std::string& message) {
  std::cerr << "lumetta-filmstrip: " << message << "\n"
            << "usage: lumetta-filmstrip --crop X,Y,WIDTH,HEIGHT [--scale S] --out STRIP.png\n"
            << "                         CAPTION=PICTURE.png ...\n";
  return 2;
}

struct Frame {
  std::string caption;
  std::string path;
};

constexpr double kGap = 12;
constexpr double kCaptionHeight = 28;

}  // namespace

int main(int argc, char** argv) {
  double x = 0, y = 0, width = 0, height = 0, scale = 1;
  std::string out;
  std::vector<Frame> frames;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--crop" && hasValue) {
      if (std::sscanf(argv[++i], "%lf,%lf,%lf,%lf", &x, &y, &width, &height) != 4 ||
          !(width > 0 && height > 0 && width <= 8192 && height <= 8192)) {
        return fail("--crop wants four numbers, a positive size of at most 8192");
      }
    } else if (argument == "--scale" && hasValue) {
      if (std::sscanf(argv[++i], "%lf", &scale) != 1 || !(scale > 0.05 && scale <= 4)) {
        return fail("--scale wants a number from 0.05 to 4");
      }
    } else if (argument == "--out" && hasValue) {
      out = argv[++i];
    } else if (const auto equals = argument.find('='); equals != std::string::npos) {
      frames.push_back({argument.substr(0, equals), argument.substr(equals + 1)});
    } else {
      return fail("unknown argument " + argument);
    }
  }
  if (out.empty() || frames.empty() || width <= 0) return fail("nothing to do");

  const double cell = width * scale;
  const int stripWidth = int(double(frames.size()) * (cell + kGap) + kGap);
  const int stripHeight = int(height * scale + kCaptionHeight + 2 * kGap);
  cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, stripWidth, stripHeight);
  cairo_t* cr = cairo_create(strip);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.13);
  cairo_paint(cr);
  int status = 0;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    cairo_surface_t* picture = cairo_image_surface_create_from_png(frames[i].path.c_str());
    if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
      std::cerr << "lumetta-filmstrip: cannot read " << frames[i].path << "\n";
      status = 2;
    } else {
      const double left = kGap + double(i) * (cell + kGap);
      cairo_save(cr);
      cairo_rectangle(cr, left, kGap, cell, height * scale);
      cairo_clip(cr);
      cairo_translate(cr, left, kGap);
      cairo_scale(cr, scale, scale);
      cairo_set_source_surface(cr, picture, -x, -y);
      cairo_paint(cr);
      cairo_restore(cr);
      cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
      cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
      cairo_set_font_size(cr, 14);
      cairo_move_to(cr, left, kGap + height * scale + 20);
      cairo_show_text(cr, frames[i].caption.c_str());
    }
    cairo_surface_destroy(picture);
  }
  cairo_destroy(cr);
  if (status == 0 && cairo_surface_write_to_png(strip, out.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::cerr << "lumetta-filmstrip: cannot write " << out << "\n";
    status = 2;
  }
  cairo_surface_destroy(strip);
  return status;
}
