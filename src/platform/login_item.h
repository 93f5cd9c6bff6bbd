// The login item of the running application: whether the system starts it
// when the user signs in, and registering or unregistering it. The system may
// hold a registration until the user approves it in the system settings.
#pragma once

#include <optional>
#include <string>

namespace lumetta {

enum class LoginItemStatus {
  notRegistered,
  enabled,
  requiresApproval,  // registered, waiting for the user's approval
  notFound,          // the system cannot find the application's item
};

// A refused registration or unregistration, in the system's own words.
struct LoginItemError {
  std::string localizedDescription;
  bool operator==(const LoginItemError&) const = default;
};

// Main thread only.
class LoginItem {
 public:
  virtual ~LoginItem() = default;
  virtual LoginItemStatus status() = 0;
  // Each gives nothing on success.
  virtual std::optional<LoginItemError> registerItem() = 0;
  virtual std::optional<LoginItemError> unregisterItem() = 0;
};

}  // namespace lumetta
