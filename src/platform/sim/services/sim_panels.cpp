#include "platform/sim/services/sim_panels.h"

#include <algorithm>
#include <cmath>

#include "platform/sim/drawing/cairo_canvas.h"

namespace lumetta::sim {

SimPanel::SimPanel(SimPanels& owner, const PanelConfiguration& configuration, PanelContent& content,
                   std::int64_t number)
    : owner_(owner),
      configuration_(configuration),
      content_(content),
      number_(number),
      frame_(configuration.contentRect) {
  owner_.order_.push_back(this);
}

SimPanel::~SimPanel() {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  std::erase(owner_.order_, this);
}

void SimPanel::setFrame(ScreenRect frame, bool display) {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  frame_ = frame;
  if (display) {
    needsDisplay_ = true;
    displayIfNeeded();
  }
}

void SimPanel::orderFrontRegardless() {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  visible_ = true;
  auto& order = owner_.order_;
  std::erase(order, this);
  order.push_back(this);
}

void SimPanel::orderOut() {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  visible_ = false;
}

void SimPanel::close() {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  visible_ = false;
}

void SimPanel::setNeedsDisplay() {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  needsDisplay_ = true;
}

void SimPanel::animateAlpha(double target, Duration duration) {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  alphaFrom_ = alpha();
  alphaTo_ = target;
  animationStart_ = owner_.clock_.uptime();
  animationDuration_ = std::max(duration, Duration::zero());
}

double SimPanel::alpha() const {
  if (!animationDuration_.isPositive()) return alphaTo_;
  const double progress = (owner_.clock_.uptime() - animationStart_) / animationDuration_;
  return alphaFrom_ + (alphaTo_ - alphaFrom_) * std::clamp(progress, 0.0, 1.0);
}

void SimPanel::displayIfNeeded() {
  LUMETTA_CHECK_MAIN_THREAD(owner_.mainThreadChecker_);
  if (!needsDisplay_) return;
  needsDisplay_ = false;
  // A panel larger than the largest image keeps no backing: nothing could picture it.
  if (!(frame_.width <= kLargestImageSide && frame_.height <= kLargestImageSide)) {
    surface_.reset();
    return;
  }
  ++draws_;
  const int width = std::max(0, int(std::lround(frame_.width)));
  const int height = std::max(0, int(std::lround(frame_.height)));
  if (!surface_ || cairo_image_surface_get_width(surface_.get()) != width ||
      cairo_image_surface_get_height(surface_.get()) != height) {
    surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  }
  CairoCanvas canvas(surface_.get(), frame_.height, 1);
  content_.draw(canvas, {frame_.width, frame_.height});
}

std::unique_ptr<Panel> SimPanels::makePanel(const PanelConfiguration& configuration,
                                            PanelContent& content) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  return std::make_unique<SimPanel>(*this, configuration, content, nextNumber_++);
}

Bitmap SimPanels::renderBitmap(int pixelsWide, int pixelsHigh, double scale,
                               const std::function<void(Canvas&)>& draw) {
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, std::max(pixelsWide, 0), std::max(pixelsHigh, 0));
  {
    CairoCanvas canvas(surface, pixelsHigh / scale, scale);
    draw(canvas);
  }
  Bitmap bitmap = bitmapOf(surface);
  cairo_surface_destroy(surface);
  return bitmap;
}

std::vector<SimPanel*> SimPanels::visiblePanels() const {
  std::vector<SimPanel*> visible;
  for (SimPanel* panel : order_) {
    if (panel->isVisible()) visible.push_back(panel);
  }
  return visible;
}

}  // namespace lumetta::sim
