// The login item of the running application: whether the system starts it
// when the user signs in, and registering or unregistering it. The system may
// hold a registration until the user approves it in the system settings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumetta {

enum class LoginItemStatus {
  notRegistered,
  enabled,
  requiresApproval,  // registered, waiting for the user's approval
  notFound,          // the system cannot find the application's item
};

// A refused registration or unregistration, in the system's own words or in
// those of unsettledBundleError.
struct LoginItemError {
  std::string localizedDescription;
  bool operator==(const LoginItemError&) const = default;
};

// Main thread only.
class LoginItem {
 public:
  virtual ~LoginItem() = default;
  virtual LoginItemStatus status() = 0;
  // Each gives nothing on success. Registering a bundle that is not settled
  // (unsettledBundleError) is refused without asking the system.
  virtual std::optional<LoginItemError> registerItem() = 0;
  virtual std::optional<LoginItemError> unregisterItem() = 0;
  // Opens the system settings' list of login items, where the user approves
  // a registration that waits for it.
  virtual void openApprovalSettings() = 0;
};

// Why the bundle at `bundlePath` cannot become a login item, if it cannot: a
// copy that macOS runs from an App Translocation folder (a quarantined
// download opened where it lies, or from its disk image), or one outside an
// Applications folder, would be registered at a path that is gone after a
// restart, or once the disk image is ejected.
std::optional<LoginItemError> unsettledBundleError(std::string_view bundlePath);

}  // namespace lumetta
