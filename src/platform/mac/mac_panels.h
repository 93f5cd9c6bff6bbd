// Overlay panels on macOS: a borderless NSPanel subclass whose AppKit settings
// are translated from what the PanelConfiguration asks for, whose content view
// draws the PanelContent through Core Graphics; and bitmaps through
// NSBitmapImageRep.
//
// Implements: every intent of the configuration (level, activation, Spaces,
// full-screen, window cycling, mouse, key and main status, transparency,
// shadow), frames, ordering, alpha fades through the animator, drawing on
// demand, and bitmaps.
// Ignores: nothing of the seam. Panels belong to the main thread: making,
// moving, ordering, fading, drawing and releasing a panel check it.
#pragma once

#include "platform/contract_checks.h"
#include "platform/panels.h"

@class LumettaPanel;

namespace lumetta::mac {

class MacPanel final : public Panel {
 public:
  MacPanel(const PanelConfiguration& configuration, PanelContent& content);
  ~MacPanel() override;
  MacPanel(const MacPanel&) = delete;
  MacPanel& operator=(const MacPanel&) = delete;

  const PanelConfiguration& configuration() const override { return configuration_; }
  bool canBecomeKey() const override;
  bool canBecomeMain() const override;
  std::int64_t windowNumber() const override;
  void setFrame(ScreenRect frame, bool display) override;
  ScreenRect frame() const override;
  void orderFrontRegardless() override;
  void orderOut() override;
  void close() override;
  bool isVisible() const override;
  void animateAlpha(double target, Duration duration) override;
  double alpha() const override;
  void setNeedsDisplay() override;
  void displayIfNeeded() override;

 private:
  const PanelConfiguration configuration_;
  LumettaPanel* panel_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

class MacPanels final : public Panels {
 public:
  std::unique_ptr<Panel> makePanel(const PanelConfiguration& configuration,
                                   PanelContent& content) override;
  Bitmap renderBitmap(int pixelsWide, int pixelsHigh, double scale,
                      const std::function<void(Canvas&)>& draw) override;

 private:
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
