// Overlay windows: borderless panels configured by what they are for (the
// overlay's are click-through, non-activating and never key or main), and the
// drawing of their content. Frames are `ScreenRect`s, in AppKit coordinates.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/time.h"

namespace lumetta {

// The window level a panel sits at.
enum class PanelLevel {
  normal,    // among the applications' windows
  floating,  // above the applications' windows, as utility palettes are
};

// What a panel is for, in the platform's own terms: each backend turns these
// intents into its window settings. The defaults describe an ordinary panel;
// an overlay asks for every one of the opposites.
struct PanelConfiguration {
  ScreenRect contentRect;  // the initial frame
  PanelLevel level = PanelLevel::normal;
  bool nonActivating = false;           // showing or clicking it leaves the active app active
  bool joinsAllSpaces = false;          // shown on every Space, not only the one it opened on
  bool stationary = false;              // stays in place while Spaces and Mission Control move
  bool ignoredByWindowCycling = false;  // left out when the user cycles through windows
  bool fullScreenAuxiliary = false;     // may show over another application's full-screen window
  bool clickThrough = false;            // mouse events reach the windows beneath it
  bool neverKeyOrMain = false;          // never takes keyboard focus or becomes the main window
  bool transparent = false;             // no background: only what the content draws shows
  bool shadowless = false;              // casts no shadow
};

// What a panel shows; drawn on the main thread when the panel displays.
class PanelContent {
 public:
  virtual ~PanelContent() = default;
  virtual void draw(Canvas& canvas, Size bounds) = 0;
};

class Panel {
 public:
  virtual ~Panel() = default;  // the panel is gone from the screen

  virtual const PanelConfiguration& configuration() const = 0;
  virtual bool canBecomeKey() const = 0;
  virtual bool canBecomeMain() const = 0;
  virtual std::int64_t windowNumber() const = 0;

  // With `display` the content is drawn at once. The content's own
  // coordinates (the canvas's) start at the frame's bottom-left, y up.
  virtual void setFrame(ScreenRect frame, bool display) = 0;
  virtual ScreenRect frame() const = 0;
  virtual void orderFrontRegardless() = 0;
  virtual void orderOut() = 0;
  virtual void close() = 0;
  virtual bool isVisible() const = 0;

  // Animates the alpha value to `target` over `duration` (at once for zero).
  virtual void animateAlpha(double target, Duration duration) = 0;
  virtual double alpha() const = 0;

  // The content is redrawn whole at the next display.
  virtual void setNeedsDisplay() = 0;
  virtual void displayIfNeeded() = 0;
};

// An RGBA bitmap: 8 bits per sample, alpha premultiplied, row 0 at the top.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  double alphaAt(int column, int row) const {
    return pixels[(row * width + column) * 4 + 3] / 255.0;
  }
};

class Panels {
 public:
  virtual ~Panels() = default;
  // `content` must outlive the panel.
  virtual std::unique_ptr<Panel> makePanel(const PanelConfiguration& configuration,
                                           PanelContent& content) = 0;
  // Draws into a device-RGB bitmap of the given pixel size, scaled by `scale`.
  virtual Bitmap renderBitmap(int pixelsWide, int pixelsHigh, double scale,
                              const std::function<void(Canvas&)>& draw) = 0;
};

}  // namespace lumetta
