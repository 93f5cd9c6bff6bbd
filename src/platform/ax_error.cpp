#include "platform/ax_error.h"

#include <array>

namespace lumetta {

std::string_view axErrorName(AXError code) {
  static constexpr std::array<std::string_view, 15> failures = {
      "kAXErrorFailure",
      "kAXErrorIllegalArgument",
      "kAXErrorInvalidUIElement",
      "kAXErrorInvalidUIElementObserver",
      "kAXErrorCannotComplete",
      "kAXErrorAttributeUnsupported",
      "kAXErrorActionUnsupported",
      "kAXErrorNotificationUnsupported",
      "kAXErrorNotImplemented",
      "kAXErrorNotificationAlreadyRegistered",
      "kAXErrorNotificationNotRegistered",
      "kAXErrorAPIDisabled",
      "kAXErrorNoValue",
      "kAXErrorParameterizedAttributeUnsupported",
      "kAXErrorNotEnoughPrecision",
  };
  if (code == axerr::success) return "kAXErrorSuccess";
  if (code <= axerr::failure && code >= axerr::notEnoughPrecision) {
    return failures[static_cast<std::size_t>(axerr::failure - code)];
  }
  return "kAXErrorUnknown";
}

}  // namespace lumetta
