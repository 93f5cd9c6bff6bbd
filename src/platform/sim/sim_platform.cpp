#include "platform/sim/sim_platform.h"

#include <stdexcept>

#include "platform/sim/services/real_run_loop.h"

namespace lumetta::sim {

namespace {

std::unique_ptr<SimClock> makeClock(TimeSource time, std::optional<WallTime> wallStart) {
  if (time == TimeSource::manual) return std::make_unique<ManualClock>(wallStart);
  return std::make_unique<RealClock>(wallStart);
}

std::unique_ptr<ScheduledRunLoop> makeRunLoop(TimeSource time, SimClock& clock) {
  if (time == TimeSource::manual)
    return std::make_unique<ManualRunLoop>(static_cast<ManualClock&>(clock));
  return std::make_unique<RealRunLoop>(clock);
}

}  // namespace

SimPlatform::SimPlatform(DesktopModel model, TimeSource time)
    : defaults_(std::move(model.defaults)),
      applicationInfo_(std::move(model.lumetta)),
      loginItem_(std::move(model.loginItem), applicationInfo_.bundlePath()),
      desktop_(std::move(model)),
      clock_(makeClock(time, desktop_.wallStart())),
      runLoop_(makeRunLoop(time, *clock_)),
      accessibility_(desktop_, *clock_, *runLoop_),
      panels_(*clock_),
      windowServer_(desktop_, panels_),
      workspace_(desktop_, *runLoop_),
      application_(*runLoop_, applicationInfo_.processId()),
      menuBar_(viewMetrics_),
      user_(menuBar_, *runLoop_),
      timeline_(desktop_, accessibility_, *runLoop_, workspace_.notificationCenter(), colorPanel_,
                loginItem_, application_, user_) {
  timeline_.start();
}

SimPlatform::~SimPlatform() {
  // Work a run left scheduled (a job's result posted after its last moment)
  // may hold what the services made, an observer above all: it goes while
  // they are still there.
  runLoop_->discardScheduled();
}

ManualRunLoop& SimPlatform::manualRunLoop() {
  auto* manual = dynamic_cast<ManualRunLoop*>(runLoop_.get());
  if (!manual) throw std::logic_error("the platform runs in real time");
  return *manual;
}

DesktopModel demoDesktop() {
  LoadResult result = parseDesktop(demoDesktopJson(), "demo desktop");
  // The demo is checked by the tests; a broken one is a build defect.
  if (!result) throw std::logic_error(result.error().message);
  DesktopModel model = std::move(result).value();
  model.lumetta.resources = resolvedResources(model.lumetta.resources, LUMETTA_DEMO_DESKTOP_PATH);
  return model;
}

}  // namespace lumetta::sim
