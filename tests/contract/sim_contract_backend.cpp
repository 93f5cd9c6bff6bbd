// The contract suite's backend on Linux: a simulated desktop on the manual
// clock, so that waiting costs no real time.
#include <stdexcept>

#include "contract/contract_backend.h"
#include "platform/sim/sim_platform.h"

namespace lumetta::contract {

namespace {

constexpr Pid kSubjectPid = 4242;

constexpr std::string_view kDesktop = R"({
  "clock": {"wallStart": "2026-01-01T00:00:00Z"},
  "apps": [
    {"pid": 4242, "name": "Contract Subject", "bundle": "com.example.contract", "active": true,
     "launched": "2026-01-01T00:00:00Z",
     "bundleURL": "file:///Applications/Contract%20Subject.app/",
     "ax": {"id": "app", "role": "AXApplication", "title": "Contract Subject", "children": [
       {"id": "window", "role": "AXWindow", "subrole": "AXStandardWindow",
        "title": "Lumetta contract",
        "frame": [200, 120, 480, 320], "window": 7001,
        "attrs": {"AXParent": {"ref": "app"}, "AXMinimized": true},
        "errors": {"AXDefaultButton": -25212},
        "children": [{"role": "AXWebArea", "hung": true}]}]}}],
  "windows": [
    {"number": 7001, "pid": 4242, "layer": 0, "bounds": [200, 120, 480, 320],
     "owner": "Contract Subject", "name": "Lumetta contract", "alpha": 1.0}]
})";

sim::DesktopModel subjectDesktop() {
  sim::LoadResult loaded = sim::parseDesktop(kDesktop, "contract desktop");
  if (!loaded) throw std::logic_error(loaded.error().message);
  return std::move(loaded).value();
}

class SimContractBackend final : public ContractBackend {
 public:
  SimContractBackend() : sim_(subjectDesktop(), sim::TimeSource::manual) {}

  Platform platform() override { return sim_.platform(); }
  Pid subject() override { return kSubjectPid; }

  void retitleSubjectWindow(std::string_view title) override {
    const sim::NodeId window = sim_.desktop().nodeById("window");
    sim_.desktop().setAttribute(window, "AXTitle", sim::SimValue{std::string(title)}, std::nullopt);
    sim_.accessibility().deliver(window, AXNotification::titleChanged);
  }

  // The simulated system announces through the workspace's centre, as its
  // timeline does.
  void reportWorkspaceEvent(WorkspaceNotification name) override {
    Notification notification{name, std::nullopt};
    if (name == WorkspaceNotification::didLaunchApplication ||
        name == WorkspaceNotification::didTerminateApplication) {
      for (const RunningApplication& app : sim_.workspace().runningApplications()) {
        if (app.pid == kSubjectPid) notification.application = app;
      }
    }
    sim_.workspace().notificationCenter().post(notification);
  }

  bool hasHungChild() override { return true; }

  void storeDefaultsText(std::string_view key, std::string_view text) override {
    sim_.defaults().store(key, std::string(text));
  }
  void pickColor(const Color& color) override { sim_.colorPanel().pick(color); }
  void pickColorWithoutSRGB() override { sim_.colorPanel().pick(sim::PatternColor{"Bricks"}); }

  std::optional<std::string> pasteboardText() override { return sim_.pasteboard().text(); }
  bool hasLoginItem() override { return true; }
  void activateApplication() override { sim_.application().becomeActive(); }

 private:
  sim::SimPlatform sim_;
};

}  // namespace

std::unique_ptr<ContractBackend> makeContractBackend() {
  return std::make_unique<SimContractBackend>();
}

}  // namespace lumetta::contract
