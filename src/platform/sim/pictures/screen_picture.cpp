#include "platform/sim/pictures/screen_picture.h"

#include <cairo.h>

#include <cmath>
#include <functional>

#include "platform/sim/drawing/cairo_canvas.h"
#include "platform/sim/drawing/cairo_shapes.h"
#include "platform/sim/drawing/control_style.h"
#include "platform/sim/drawing/menu_bar_picture.h"
#include "platform/sim/services/sim_window_server.h"
#include "support/atomic_file.h"
#include "support/text_format.h"

namespace lumetta::sim {

namespace {

constexpr double kTitleBarHeight = 28;
constexpr double kWindowRadius = 10;

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// A distinct, calm hue per application, stable across runs.
Color ownerColor(const std::string& owner) {
  const double hue = double(std::hash<std::string>{}(owner) % 360);
  auto channel = [&](double n) {
    const double k = std::fmod(n + hue / 30, 12);
    return 0.55 - 0.25 * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
  };
  return {channel(0), channel(8), channel(4), 1};
}

std::string textAt(const RawValue& entry, std::string_view key) {
  const auto* dictionary = entry.get<RawDictionary>();
  const RawValue* value = dictionary ? find(*dictionary, key) : nullptr;
  const auto* text = value ? value->get<std::string>() : nullptr;
  return text ? *text : std::string{};
}

void label(cairo_t* cr, const std::string& text, double x, double y, double size, bool bold) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

// Rows of a repeating pattern, 8 points high: the first at `first`, then every
// `step`, each ending above `end`.
struct Rows {
  double first;
  double step;
  double end;
};

// Calls draw(y, index) for the rows that reach into a picture `height` high,
// skipping those above it without visiting them.
template <class Draw>
void forEachVisibleRow(Rows rows, double height, Draw draw) {
  constexpr double kRowHeight = 8;
  const long skipped = long(std::max(0.0, std::floor((-kRowHeight - rows.first) / rows.step)));
  for (long index = skipped;; ++index) {
    const double y = rows.first + rows.step * double(index);
    if (!(y + kRowHeight < rows.end) || y > height) return;
    draw(y, index);
  }
}

// The picture shows the primary display from its top-left corner, y down, as
// the window server counts: a window is drawn at its bounds.
Rect inPicture(const ServerRect& bounds) {
  return {bounds.x, bounds.y, bounds.width, bounds.height};
}

void drawWindow(cairo_t* cr, const ListedWindow& window, const RawValue& entry,
                double pictureHeight) {
  const Rect b = inPicture(window.bounds);
  const std::string owner = textAt(entry, "kCGWindowOwnerName");
  const std::string name = textAt(entry, "kCGWindowName");
  cairo_save(cr);
  if (window.layer > 0) {  // menu bar and other chrome above the windows
    cairo_rectangle(cr, b.x, b.y, b.width, b.height);
    cairo_set_source_rgba(cr, 0.95, 0.95, 0.97, 0.85);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.25);
    label(cr, name.empty() ? owner : name, b.x + 12, b.y + std::min(b.height, 24.0) - 8, 13, true);
    cairo_restore(cr);
    return;
  }
  roundedRectPath(cr, b, kWindowRadius);
  cairo_clip_preserve(cr);
  cairo_set_source_rgb(cr, 0.99, 0.99, 1.0);
  cairo_fill(cr);
  const Color hue = ownerColor(owner);
  cairo_set_source_rgb(cr, hue.red, hue.green, hue.blue);
  cairo_rectangle(cr, b.x, b.y, b.width, std::min(kTitleBarHeight, b.height));
  cairo_fill(cr);
  // Window buttons, then the owner and the title.
  const Color buttons[] = {{1, 0.37, 0.34, 1}, {1, 0.74, 0.18, 1}, {0.16, 0.78, 0.25, 1}};
  for (int i = 0; i < 3; ++i) {
    cairo_set_source_rgb(cr, buttons[i].red, buttons[i].green, buttons[i].blue);
    cairo_arc(cr, b.x + 14 + 20 * i, b.y + kTitleBarHeight / 2, 6, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_set_source_rgb(cr, 1, 1, 1);
  label(cr, owner.empty() ? "?" : owner, b.x + 76, b.y + 19, 13, true);
  if (!name.empty() && name != owner) {
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    label(cr, name, b.x + 90 + 8.5 * double(owner.size()), b.y + 19, 12, false);
  }
  // A hint of content: a sidebar of short rows, and paragraphs of text lines,
  // drawn only where they reach into the picture.
  const double top = b.y + kTitleBarHeight;
  const double sidebar = std::min(220.0, b.width * 0.24);
  cairo_set_source_rgb(cr, 0.92, 0.92, 0.94);
  cairo_rectangle(cr, b.x, top, sidebar, b.maxY() - top);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.80, 0.81, 0.84);
  forEachVisibleRow({top + 20, 30, b.maxY()}, pictureHeight,
                    [&](double y, long) { cairo_rectangle(cr, b.x + 14, y, sidebar * 0.7, 7); });
  static constexpr double widths[] = {0.82, 0.74, 0.9, 0.46, 0, 0.68, 0.86, 0.3, 0};
  const double textWidth = b.width - sidebar - 60;
  forEachVisibleRow({top + 28, 18, b.maxY() - 20}, pictureHeight, [&](double y, long line) {
    const double w = widths[line % long(std::size(widths))];
    if (w > 0) cairo_rectangle(cr, b.x + sidebar + 30, y, std::max(0.0, textWidth * w), 6);
  });
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  roundedRectPath(cr, b, kWindowRadius);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// The display's, windows', panels' and picture's rectangles alike.
template <class AnyRect>
std::string shown(const AnyRect& r) {
  return "[" + shortestNumber(r.x) + ", " + shortestNumber(r.y) + ", " + shortestNumber(r.width) +
         ", " + shortestNumber(r.height) + "]";
}

template <class AnyRect>
bool withinLargestCoordinate(const AnyRect& r) {
  for (double edge : {r.minX(), r.maxX(), r.minY(), r.maxY()}) {
    if (!(std::abs(edge) <= kLargestCoordinate)) return false;  // NaN too
  }
  return true;
}

template <class AnyRect>
bool withinLargestImage(const AnyRect& r) {
  return r.width <= kLargestImageSide && r.height <= kLargestImageSide;
}

// Why the screen cannot be pictured: a display, window or panel beyond the
// largest coordinate or picture. Nothing drawn is ever larger than these.
std::optional<std::string> refusal(const SimDisplay& display, const RawArray& list,
                                   SimPanels& panels) {
  const ScreenRect& screen = display.frame;
  const std::string edges =
      "edges within " + std::to_string(long(kLargestCoordinate)) + " points of the origin";
  const std::string side = std::to_string(kLargestImageSide);
  const std::string largest = "at most " + side + " x " + side + " points, " + edges;
  if (!withinLargestCoordinate(screen) || !withinLargestImage(screen)) {
    return "cannot picture a display with the frame " + shown(screen) + " (" + largest + ")";
  }
  const Rect pixels{0, 0, screen.width * display.scale, screen.height * display.scale};
  if (!withinLargestImage(pixels)) {
    return "cannot picture a display with the frame " + shown(screen) + " at scale " +
           shortestNumber(display.scale) + " (at most " + side + " x " + side + " pixels)";
  }
  for (const RawValue& entry : list) {
    auto window = listedWindow(entry);
    if (window && window->layer >= 0 && !withinLargestCoordinate(window->bounds)) {
      return "cannot picture window " + std::to_string(window->number) + " with the bounds " +
             shown(window->bounds) + " (" + edges + ")";
    }
  }
  for (SimPanel* panel : panels.visiblePanels()) {
    const ScreenRect frame = panel->frame();
    if (!withinLargestCoordinate(frame) || !withinLargestImage(frame)) {
      return "cannot picture overlay panel " + std::to_string(panel->windowNumber()) +
             " with the frame " + shown(frame) + " (" + largest + ")";
    }
  }
  return std::nullopt;
}

// The name of the active application, as the menu bar shows it.
std::string activeApplication(const SimDesktop& desktop) {
  for (const RunningApplication& app : desktop.runningApplications()) {
    if (app.active) return app.localizedName.value_or("");
  }
  return "";
}

void drawMenuBar(cairo_t* cr, const SimDesktop& desktop, ScreenRect screen,
                 const MenuBarScene& scene) {
  if (!scene.extra.statusItem()) return;
  MenuBarPicture picture;
  picture.activeApplication = activeApplication(desktop);
  picture.clock = menuBarClock(scene.now);
  picture.open = scene.extra.isOpen();
  const ViewNode& content = scene.extra.content();
  paintMenuBarExtra(cr, {0, 0, screen.width, screen.height}, picture, &content);
}

}  // namespace

std::string menuBarClock(WallTime time) {
  using namespace std::chrono;
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const sys_days day = floor<days>(time);
  const year_month_day date(day);
  const hh_mm_ss clock(floor<minutes>(time - day));
  char text[32];
  std::snprintf(text, sizeof text, "%s %u %s %02d:%02d", kDays[weekday(day).c_encoding()],
                unsigned(date.day()), kMonths[unsigned(date.month()) - 1],
                int(clock.hours().count()), int(clock.minutes().count()));
  return text;
}

Expected<void> writeScreenPicture(const SimDesktop& desktop, SimPanels& panels,
                                  const std::string& path, std::optional<MenuBarScene> menuBar) {
  const auto displays = desktop.displays();
  if (displays.empty()) return Error{path + ": no display to picture"};
  const SimDisplay& display = displays.front();
  const ScreenRect screen = display.frame;
  const RawArray list = desktop.windowList();
  if (auto refused = refusal(display, list, panels)) return Error{path + ": " + *refused};
  const int height = std::max(1, int(std::lround(screen.height)));

  // Drawn in points; the surface has `scale` pixels per point.
  auto pixels = [&](double points) {
    return std::max(1, int(std::lround(points * display.scale)));
  };
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels(screen.width), pixels(screen.height));
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, display.scale, display.scale);
  cairo_pattern_t* wallpaper = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(wallpaper, 0, 0.16, 0.22, 0.36);
  cairo_pattern_add_color_stop_rgb(wallpaper, 1, 0.36, 0.27, 0.45);
  cairo_set_source(cr, wallpaper);
  cairo_paint(cr);
  cairo_pattern_destroy(wallpaper);

  const bool showsMenuBar = menuBar && menuBar->extra.statusItem();
  // The list runs front to back; draw from the back.
  for (auto entry = list.rbegin(); entry != list.rend(); ++entry) {
    auto window = listedWindow(*entry);
    if (!window || window->layer < 0) continue;
    // Lumetta's menu bar is drawn below, in place of the chrome that lies in its strip.
    if (showsMenuBar && window->layer > 0 && window->bounds.maxY() <= controls::kMenuBarHeight)
      continue;
    drawWindow(cr, *window, *entry, height);
  }

  // Panels are placed in AppKit coordinates: y grows upwards from the primary's bottom.
  for (SimPanel* panel : panels.visiblePanels()) {
    panel->displayIfNeeded();
    if (!panel->surface()) continue;
    const ScreenRect frame = panel->frame();
    const double top = screen.maxY() - frame.maxY();
    cairo_push_group(cr);
    if (!panel->configuration().transparent) {  // a panel's own background hides what is beneath
      cairo_set_source_rgb(cr, 0.93, 0.93, 0.93);
      cairo_rectangle(cr, frame.x, top, frame.width, frame.height);
      cairo_fill(cr);
    }
    cairo_set_source_surface(cr, panel->surface(), frame.x, top);
    cairo_paint(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, panel->alpha());
  }
  if (menuBar) drawMenuBar(cr, desktop, screen, *menuBar);

  cairo_destroy(cr);
  // Encoded in memory, then written as every file Lumetta replaces is: whole
  // or not at all, replacing a link rather than writing through it.
  std::string png;
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface, appendBytes, &png);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    return Error{path + ": cannot encode the picture (" + cairo_status_to_string(status) + ")"};
  }
  return writeFileAtomically(path, png);
}

}  // namespace lumetta::sim
