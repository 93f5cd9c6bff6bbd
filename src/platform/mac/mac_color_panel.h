// The shared colour panel over NSColorPanel.
#pragma once

#import <Foundation/Foundation.h>

#include "platform/color_panel.h"

@class LumettaColorTarget;

namespace lumetta::mac {

class MacColorPanel final : public ColorPanel {
 public:
  MacColorPanel();
  ~MacColorPanel() override;
  MacColorPanel(const MacColorPanel&) = delete;
  MacColorPanel& operator=(const MacColorPanel&) = delete;

  void show(const Color& color, Action action) override;
  // The object the panel sends its action to, as it does when the user picks.
  id target() const { return target_; }

 private:
  LumettaColorTarget* target_;  // the panel holds its target weakly; this keeps it
};

}  // namespace lumetta::mac
