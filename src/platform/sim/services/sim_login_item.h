// Lumetta's login item on the simulated desktop, as the desktop file's
// `loginItem` object describes it, for the bundle at the file's
// `lumetta.bundlePath`; the timeline approves or denies a pending
// registration in the system settings and changes how requests fare.
//
// Implements: status, registering (enabled at once, or waiting for approval;
// refused for a bundle that is not settled, as the macOS backend refuses it),
// unregistering, refusals with the file's descriptions, and opening the login
// items' settings (counted).
// Ignores: that a real system may take time to settle a request: every change
// is immediate.
#pragma once

#include "platform/contract_checks.h"
#include "platform/login_item.h"
#include "platform/sim/desktop/desktop_model.h"

namespace lumetta::sim {

class SimLoginItem final : public LoginItem {
 public:
  SimLoginItem(SimLoginItemModel model, std::string bundlePath)
      : model_(std::move(model)), bundlePath_(std::move(bundlePath)) {}

  LoginItemStatus status() override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    return model_.status;
  }
  std::optional<LoginItemError> registerItem() override;
  std::optional<LoginItemError> unregisterItem() override;
  void openApprovalSettings() override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    ++approvalSettingsOpened_;
  }

  // The timeline's events.
  void apply(const LoginItemAction& action);

  // How many registrations and unregistrations were asked of the system,
  // refused ones included.
  int requests() const { return requests_; }
  // How many times the login items' settings were opened.
  int approvalSettingsOpened() const { return approvalSettingsOpened_; }

 private:
  SimLoginItemModel model_;
  const std::string bundlePath_;
  int requests_ = 0;
  int approvalSettingsOpened_ = 0;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

// "notRegistered", "enabled", "requiresApproval", "notFound".
std::string_view loginItemStatusName(LoginItemStatus status);

}  // namespace lumetta::sim
