// Lumetta's login item on the simulated desktop, as the desktop file's
// `loginItem` object describes it; the timeline approves or denies a pending
// registration in the system settings and changes how requests fare.
//
// Implements: status, registering (enabled at once, or waiting for approval),
// unregistering, and refusals with the file's descriptions.
// Ignores: that a real system may take time to settle a request: every change
// is immediate.
#pragma once

#include "platform/contract_checks.h"
#include "platform/login_item.h"
#include "platform/sim/desktop_model.h"

namespace lumetta::sim {

class SimLoginItem final : public LoginItem {
 public:
  explicit SimLoginItem(SimLoginItemModel model) : model_(std::move(model)) {}

  LoginItemStatus status() override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    return model_.status;
  }
  std::optional<LoginItemError> registerItem() override;
  std::optional<LoginItemError> unregisterItem() override;

  // The timeline's events.
  void apply(const LoginItemAction& action);

  // How many registrations and unregistrations were asked for, refused ones
  // included.
  int requests() const { return requests_; }

 private:
  SimLoginItemModel model_;
  int requests_ = 0;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

// "notRegistered", "enabled", "requiresApproval", "notFound".
std::string_view loginItemStatusName(LoginItemStatus status);

}  // namespace lumetta::sim
