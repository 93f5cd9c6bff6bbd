// The contract suite's backend on Linux: a simulated desktop on the manual
// clock, so that waiting costs no real time.
#include "contract/contract_backend.h"
#include "platform/sim/sim_platform.h"
#include "support/desktop_builder.h"

namespace lumetta::contract {

namespace {

constexpr Pid kSubjectPid = 4242;

// The subject application, its window (with a hung web area) and its entry
// in the window server's list.
sim::DesktopModel subjectDesktop() {
  testing::DesktopBuilder desktop;
  desktop.wallStart("2026-01-01T00:00:00Z");
  testing::AppBuilder app = desktop.app(kSubjectPid, "Contract Subject", "com.example.contract");
  app.active().launched("2026-01-01T00:00:00Z");
  app.app().bundleURL = Url{"file:///Applications/Contract%20Subject.app/"};
  app.id("app").title("Contract Subject");
  const ServerRect frame{200, 120, 480, 320};
  testing::ElementBuilder window = app.child("AXWindow", "window");
  window.subrole("AXStandardWindow").title("Lumetta contract").frame(frame).windowNumber(7001);
  window.attr("AXParent", testing::refValue("app")).attr("AXMinimized", sim::SimValue{true});
  window.error("AXDefaultButton", axerr::noValue).child("AXWebArea").hung();
  RawValue entry = testing::serverWindow(7001, kSubjectPid, frame);
  std::get<RawDictionary>(entry.storage)
      .insert(std::get<RawDictionary>(entry.storage).end(),
              {{"kCGWindowOwnerName", {std::string("Contract Subject")}},
               {"kCGWindowName", {std::string("Lumetta contract")}},
               {"kCGWindowAlpha", {1.0}}});
  desktop.model().windows = {entry};
  return desktop.build();
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
