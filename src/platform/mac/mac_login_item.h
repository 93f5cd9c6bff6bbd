// The login item of the running application over ServiceManagement's
// SMAppService.mainAppService (macOS 13).
//
// Implements: status, register (refused for a bundle that is not settled)
// and unregister, a refusal's localized description, opening the Login Items
// settings. Ignores: the other services SMAppService manages (agents,
// daemons, helper login items).
#pragma once

#include "platform/contract_checks.h"
#include "platform/login_item.h"

namespace lumetta::mac {

class MacLoginItem final : public LoginItem {
 public:
  LoginItemStatus status() override;
  std::optional<LoginItemError> registerItem() override;
  std::optional<LoginItemError> unregisterItem() override;
  void openApprovalSettings() override;

 private:
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
