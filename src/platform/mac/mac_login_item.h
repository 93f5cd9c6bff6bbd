// The login item of the running application over ServiceManagement's
// SMAppService.mainAppService (macOS 13).
//
// Implements: status, register and unregister, a refusal's localized
// description. Ignores: the other services SMAppService manages (agents,
// daemons, helper login items) and opening the Login Items settings.
#pragma once

#include "platform/contract_checks.h"
#include "platform/login_item.h"

namespace lumetta::mac {

class MacLoginItem final : public LoginItem {
 public:
  LoginItemStatus status() override;
  std::optional<LoginItemError> registerItem() override;
  std::optional<LoginItemError> unregisterItem() override;

 private:
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
