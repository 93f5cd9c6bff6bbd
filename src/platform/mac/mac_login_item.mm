// Implements: SMAppService.mainAppService's status (each of its four values
// mapped to its namesake), registerAndReturnError: (unless the main bundle
// runs translocated or outside an Applications folder) and
// unregisterAndReturnError:, a failure carrying the error's
// localizedDescription, and SMAppService.openSystemSettingsLoginItems.
// Ignores: the error's domain and code.
#include "platform/mac/mac_login_item.h"

#import <Foundation/Foundation.h>
#import <ServiceManagement/ServiceManagement.h>

#include "platform/mac/cf_string.h"

namespace lumetta::mac {

namespace {

// A failure without an error object still gets words.
LoginItemError loginItemError(NSError* error) {
  if (!error) return LoginItemError{"The login item could not be changed."};
  return LoginItemError{utf8(error.localizedDescription)};
}

}  // namespace

LoginItemStatus MacLoginItem::status() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    switch ([SMAppService mainAppService].status) {
      case SMAppServiceStatusEnabled: return LoginItemStatus::enabled;
      case SMAppServiceStatusRequiresApproval: return LoginItemStatus::requiresApproval;
      case SMAppServiceStatusNotFound: return LoginItemStatus::notFound;
      case SMAppServiceStatusNotRegistered: return LoginItemStatus::notRegistered;
    }
    return LoginItemStatus::notRegistered;
  }
}

std::optional<LoginItemError> MacLoginItem::registerItem() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    // The system would register the translocated path, gone after a restart
    // (status notFound from then on).
    if (auto refusal = unsettledBundleError(utf8([NSBundle mainBundle].bundlePath))) {
      return refusal;
    }
    NSError* error = nil;
    if ([[SMAppService mainAppService] registerAndReturnError:&error]) return std::nullopt;
    return loginItemError(error);
  }
}

std::optional<LoginItemError> MacLoginItem::unregisterItem() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    NSError* error = nil;
    if ([[SMAppService mainAppService] unregisterAndReturnError:&error]) return std::nullopt;
    return loginItemError(error);
  }
}

void MacLoginItem::openApprovalSettings() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [SMAppService openSystemSettingsLoginItems];
  }
}

}  // namespace lumetta::mac
