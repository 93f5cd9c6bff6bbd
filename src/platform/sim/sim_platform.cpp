#include "platform/sim/sim_platform.h"

#include <stdexcept>

namespace lumetta::sim {

namespace {

std::unique_ptr<SimClock> makeClock(TimeSource time, std::optional<WallTime> wallStart) {
  if (time == TimeSource::manual) return std::make_unique<ManualClock>(wallStart);
  return std::make_unique<RealClock>(wallStart);
}

}  // namespace

SimPlatform::SimPlatform(DesktopModel model, TimeSource time)
    : desktop_(std::move(model)),
      clock_(makeClock(time, desktop_.wallStart())),
      accessibility_(desktop_, *clock_),
      windowServer_(desktop_),
      workspace_(desktop_) {}

DesktopModel demoDesktop() {
  LoadResult result = parseDesktop(demoDesktopJson(), "demo desktop");
  // The demo is checked by the tests; a broken one is a build defect.
  if (auto* error = std::get_if<LoadError>(&result)) throw std::logic_error(error->message);
  return std::get<DesktopModel>(std::move(result));
}

}  // namespace lumetta::sim
