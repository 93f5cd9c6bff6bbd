// The running application as an object of the user interface: running as an
// agent, ending it, hearing that it became active, loading images from its
// files.
#pragma once

#include <optional>
#include <string>

#include "platform/image.h"
#include "platform/notification_center.h"

namespace lumetta {

// Main thread only.
class Application {
 public:
  virtual ~Application() = default;
  // Runs the application as an agent: no Dock icon and no menu bar of its
  // own, yet its panels, popover and colour panel show, and the usual
  // keyboard shortcuts work in them (Copy, Select All, Close Window). Every
  // mode that runs the overlay controller does this first; the diagnostic
  // modes leave the application as it is.
  virtual void becomeAgent() = 0;
  // Asks the application to end; the process exits once it has.
  virtual void terminate() = 0;
  // Posts applicationDidBecomeActive each time the application becomes the
  // active one (the user clicked its status item or came back from another
  // application).
  virtual NotificationCenter& notificationCenter() = 0;
  // The image in the file at `path`; nothing when it is missing or is not
  // an image.
  virtual std::optional<PlatformImage> loadImage(const std::string& path) = 0;
};

}  // namespace lumetta
