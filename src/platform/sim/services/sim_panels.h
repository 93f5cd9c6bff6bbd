// The simulated desktop's panels: each records its configuration (what it is
// for) and state and draws its content into a Cairo image surface, so that the
// screen can be pictured.
//
// Implements: the configuration's intents as recorded values (key and main
// status follow `neverKeyOrMain`; the window server's hit test reads
// `clickThrough`), frames, ordering, visibility, alpha animation on the
// simulated clock, drawing on demand, and bitmaps.
// Ignores: the level, Spaces, full-screen and window-cycling behaviour and
// the shadow (the simulated desktop has one Space and draws no shadows).
// Panels belong to the main thread: making, moving, ordering, animating,
// drawing and releasing a panel check it.
#pragma once

#include <cairo.h>

#include <memory>
#include <vector>

#include "platform/contract_checks.h"
#include "platform/panels.h"
#include "platform/sim/services/sim_clock.h"

namespace lumetta::sim {

class SimPanels;

class SimPanel final : public Panel {
 public:
  SimPanel(SimPanels& owner, const PanelConfiguration& configuration, PanelContent& content,
           std::int64_t number);
  ~SimPanel() override;

  const PanelConfiguration& configuration() const override { return configuration_; }
  bool canBecomeKey() const override { return !configuration_.neverKeyOrMain; }
  bool canBecomeMain() const override { return !configuration_.neverKeyOrMain; }
  std::int64_t windowNumber() const override { return number_; }
  void setFrame(ScreenRect frame, bool display) override;
  ScreenRect frame() const override { return frame_; }
  void orderFrontRegardless() override;
  void orderOut() override;
  void close() override;
  bool isVisible() const override { return visible_; }
  void animateAlpha(double target, Duration duration) override;
  double alpha() const override;
  void setNeedsDisplay() override;
  void displayIfNeeded() override;

  // How often the content has been drawn.
  int draws() const { return draws_; }
  // What the panel last drew, at its frame's size; null before it drew.
  cairo_surface_t* surface() const { return surface_.get(); }

 private:
  struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  };

  SimPanels& owner_;
  const PanelConfiguration configuration_;
  PanelContent& content_;
  const std::int64_t number_;
  ScreenRect frame_;
  bool visible_ = false;
  bool needsDisplay_ = true;
  int draws_ = 0;
  double alphaFrom_ = 1, alphaTo_ = 1;
  Uptime animationStart_;
  Duration animationDuration_;
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface_;
};

class SimPanels final : public Panels {
 public:
  explicit SimPanels(SimClock& clock) : clock_(clock) {}

  std::unique_ptr<Panel> makePanel(const PanelConfiguration& configuration,
                                   PanelContent& content) override;
  Bitmap renderBitmap(int pixelsWide, int pixelsHigh, double scale,
                      const std::function<void(Canvas&)>& draw) override;

  // The visible panels, back to front.
  std::vector<SimPanel*> visiblePanels() const;

 private:
  friend class SimPanel;
  SimClock& clock_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
  std::int64_t nextNumber_ = 90001;
  std::vector<SimPanel*> order_;  // every live panel, back to front
};

}  // namespace lumetta::sim
