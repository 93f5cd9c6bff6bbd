#include "platform/sim/services/sim_login_item.h"

namespace lumetta::sim {

std::optional<LoginItemError> SimLoginItem::registerItem() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (auto refusal = unsettledBundleError(bundlePath_)) return refusal;
  ++requests_;
  if (model_.registerError) return LoginItemError{*model_.registerError};
  if (model_.status != LoginItemStatus::enabled) {
    model_.status =
        model_.needsApproval ? LoginItemStatus::requiresApproval : LoginItemStatus::enabled;
  }
  return std::nullopt;
}

std::optional<LoginItemError> SimLoginItem::unregisterItem() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  ++requests_;
  if (model_.unregisterError) return LoginItemError{*model_.unregisterError};
  model_.status = LoginItemStatus::notRegistered;
  return std::nullopt;
}

void SimLoginItem::apply(const LoginItemAction& action) {
  switch (action.kind) {
    case LoginItemAction::Kind::approve:
      if (model_.status == LoginItemStatus::requiresApproval)
        model_.status = LoginItemStatus::enabled;
      return;
    case LoginItemAction::Kind::deny:
      if (model_.status == LoginItemStatus::requiresApproval)
        model_.status = LoginItemStatus::notRegistered;
      return;
    case LoginItemAction::Kind::change:
      if (action.status) model_.status = *action.status;
      if (action.needsApproval) model_.needsApproval = *action.needsApproval;
      if (action.registerError) model_.registerError = *action.registerError;
      if (action.unregisterError) model_.unregisterError = *action.unregisterError;
      return;
  }
}

std::string_view loginItemStatusName(LoginItemStatus status) {
  switch (status) {
    case LoginItemStatus::notRegistered: return "notRegistered";
    case LoginItemStatus::enabled: return "enabled";
    case LoginItemStatus::requiresApproval: return "requiresApproval";
    case LoginItemStatus::notFound: return "notFound";
  }
  return "notRegistered";
}

}  // namespace lumetta::sim
