// The shared colour panel the user picks colours in.
#pragma once

#include <functional>

#include "platform/colors.h"

namespace lumetta {

// The application's one shared colour panel. Main thread only.
class ColorPanel {
 public:
  // Called with the panel's colour each time the user changes it.
  using Action = std::function<void(const PlatformColor& color)>;

  virtual ~ColorPanel() = default;
  // Makes `action` the panel's action (replacing the one before), reported
  // continuously while the user drags; hides the opacity control; sets the
  // panel's colour; keeps the panel visible while the application is
  // inactive; then activates the application ignoring other applications and
  // makes the panel key and brings it to the front.
  virtual void show(const Color& color, Action action) = 0;
};

}  // namespace lumetta
