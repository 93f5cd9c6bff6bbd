#include "platform/sim/services/sim_application.h"

#include "platform/sim/drawing/cairo_image.h"

namespace lumetta::sim {

std::optional<PlatformImage> SimApplication::loadImage(const std::string& path) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  return loadPngImage(path);
}

void SimApplication::becomeActive() {
  center_.post(Notification{WorkspaceNotification::applicationDidBecomeActive, std::nullopt});
}

}  // namespace lumetta::sim
