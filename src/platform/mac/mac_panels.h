// Overlay panels on macOS: a borderless NSPanel subclass whose AppKit settings
// are translated from what the PanelConfiguration asks for, whose content view
// draws the PanelContent through Core Graphics; and bitmaps through
// NSBitmapImageRep.
#pragma once

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
  void setFrame(Rect frame, bool display) override;
  Rect frame() const override;
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
};

class MacPanels final : public Panels {
 public:
  std::unique_ptr<Panel> makePanel(const PanelConfiguration& configuration,
                                   PanelContent& content) override;
  Bitmap renderBitmap(int pixelsWide, int pixelsHigh, double scale,
                      const std::function<void(Canvas&)>& draw) override;
};

}  // namespace lumetta::mac
