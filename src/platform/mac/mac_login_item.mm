// Implements: SMAppService.mainAppService's status (each of its four values
// mapped to its namesake), registerAndReturnError: and
// unregisterAndReturnError:, a failure carrying the error's
// localizedDescription. Ignores: the error's domain and code.
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

}  // namespace lumetta::mac
